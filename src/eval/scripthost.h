#pragma once

#include <QString>

#include <chrono>
#include <memory>

namespace Eval {

// Evaluates JavaScript program texts as if each ran in a brand-new engine, and gives the
// result as text: a number's text, "1.#INF", "-1.#INF", "-1.#IND", an object's toString(),
// or the empty text on any failure (syntax error, unknown name, exception, time out).
//
// One engine is kept per thread, because creating one costs far more than an evaluation.
// Like any engine, it needs the QCoreApplication to exist.
//
// Time limit: an evaluation running longer than timeLimit() is stopped and fails. A stopped
// evaluation also fails every further one at once until the user's next action, which is
// recognised when the thread's event loop next waits for input (or by BeginUserAction()).
// A tool that evaluates one runaway expression thousands of times in a loop, even one that
// lets pending events run, thus gives all its failure results within one time limit.
class ScriptHost
{
public:
    // Far above any expression a user types (a 100,000-character sum takes milliseconds), and
    // short enough that a window stopped by it does not seem to have crashed.
    static constexpr std::chrono::milliseconds DefaultTimeLimit{1000};

    ScriptHost();
    ~ScriptHost();
    ScriptHost(const ScriptHost &) = delete;
    ScriptHost &operator=(const ScriptHost &) = delete;

    // The engine of the calling thread, created on first use.
    static ScriptHost &ForThisThread();

    // Accepts several statements; the result is the value of the last expression statement.
    QString Evaluate(const QString &program);

    std::chrono::milliseconds timeLimit() const { return m_timeLimit; }
    void SetTimeLimit(std::chrono::milliseconds limit) { m_timeLimit = limit; }

    // Lets evaluations run again after one was stopped.
    void BeginUserAction() { m_stoppedInThisAction = false; }
    bool stoppedInThisAction() const { return m_stoppedInThisAction; }

private:
    void FollowEventLoop();

    // The engine itself stays out of this header: no caller needs the script engine's types.
    struct Engine;
    std::unique_ptr<Engine> m_engine;
    std::chrono::milliseconds m_timeLimit = DefaultTimeLimit;
    bool m_stoppedInThisAction = false;
};

} // namespace Eval
