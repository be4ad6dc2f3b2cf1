#include "scripthost.h"

#include "legacyliterals.h"
#include "scriptprelude.h"
#include "scriptwatchdog.h"

#include <QAbstractEventDispatcher>
#include <QThread>

ScriptHost::ScriptHost()
    : m_run(m_engine.evaluate(ScriptPrelude()))
    , m_watchdog(std::make_unique<ScriptWatchdog>([this] { m_engine.setInterrupted(true); }))
{
    Q_ASSERT(m_run.isCallable());
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
    m_watchdog->arm(ScriptWatchdog::Clock::now() + m_timeLimit);
    const QJSValue result = m_run.call(arguments);
    m_watchdog->disarm();
    if (m_engine.isInterrupted()) {
        m_engine.setInterrupted(false);
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
    if (m_eventLoop)
        return;
    m_eventLoop = QAbstractEventDispatcher::instance(QThread::currentThread());
    if (m_eventLoop)
        QObject::connect(m_eventLoop, &QAbstractEventDispatcher::aboutToBlock, &m_engine,
                         [this] { BeginUserAction(); });
}
