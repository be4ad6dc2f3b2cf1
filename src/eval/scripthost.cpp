#include "scripthost.h"

#include "legacyliterals.h"
#include "scriptprelude.h"
#include "scriptwatchdog.h"

#include <QAbstractEventDispatcher>
#include <QJSEngine>
#include <QJSValue>
#include <QPointer>
#include <QThread>

namespace Eval {

struct ScriptHost::Engine
{
    QJSEngine engine;
    QJSValue run;
    std::unique_ptr<ScriptWatchdog> watchdog;
    QPointer<QAbstractEventDispatcher> eventLoop;
};

ScriptHost::ScriptHost()
    : m_engine(std::make_unique<Engine>())
{
    QJSEngine &engine = m_engine->engine;
    m_engine->run = engine.evaluate(ScriptPrelude());
    m_engine->watchdog
            = std::make_unique<ScriptWatchdog>([&engine] { engine.setInterrupted(true); });
    Q_ASSERT(m_engine->run.isCallable());
}

ScriptHost::~ScriptHost() = default;

ScriptHost &ScriptHost::ForThisThread()
{
    thread_local ScriptHost host;
    return host;
}

QString ScriptHost::Evaluate(const QString &program)
{
    FollowEventLoop();
    if (m_stoppedInThisAction)
        return {};
    const QJSValueList arguments{RewriteLegacyNumberLiterals(program)};
    m_engine->watchdog->arm(ScriptWatchdog::Clock::now() + m_timeLimit);
    const QJSValue result = m_engine->run.call(arguments);
    m_engine->watchdog->disarm();
    if (m_engine->engine.isInterrupted()) {
        m_engine->engine.setInterrupted(false);
        m_stoppedInThisAction = true;
        return {};
    }
    // The prelude returns null for a thrown exception.
    return result.isString() ? result.toString() : QString();
}

// The event loop waits for input only between user actions; tool loops that let pending
// events run never wait, so they stay one action.
void ScriptHost::FollowEventLoop()
{
    if (m_engine->eventLoop)
        return;
    m_engine->eventLoop = QAbstractEventDispatcher::instance(QThread::currentThread());
    if (m_engine->eventLoop)
        QObject::connect(m_engine->eventLoop, &QAbstractEventDispatcher::aboutToBlock,
                         &m_engine->engine, [this] { BeginUserAction(); });
}

} // namespace Eval
