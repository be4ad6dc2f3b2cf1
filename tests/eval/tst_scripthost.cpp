#include "eval/legacyliterals.h"
#include "eval/scripthost.h"
#include "eval/scriptwatchdog.h"

#include <QEventLoop>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <atomic>

using namespace Eval;

using namespace std::chrono_literals;

class TestScriptHost : public QObject
{
    Q_OBJECT

private slots:
    void resultTexts_data();
    void resultTexts();
    void nothingSurvivesAnEvaluation_data();
    void nothingSurvivesAnEvaluation();
    void legacyNumberLiterals_data();
    void legacyNumberLiterals();
    void runawayProgramsFail_data();
    void runawayProgramsFail();
    void stoppedActionFailsAtOnceUntilNextAction();
    void eventLoopWaitingStartsNextAction();
    void defaultTimeLimitStopsRunaway();
    void eachThreadHasItsOwnEngine();
    void watchdogFiresOnlyWhenArmedDeadlinePasses();
    void watchdogTakesEarlierDeadlineWhileSleeping();

private:
    ScriptHost m_host;
};

void TestScriptHost::resultTexts_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, const QString &program, const QString &expected) {
        QTest::newRow(name) << program << expected;
    };

    row("sum", "1+2", "3");
    row("precedence", "1+2*3-4/2", "5");
    row("fraction", "10/4", "2.5");
    row("remainder", "7%3", "1");
    row("large exponent form", "1e21", "1e+21");
    row("small exponent form", "1.5e-7", "1.5e-7");
    row("positive infinity", "1/0", "1.#INF");
    row("negative infinity", "-1/0", "-1.#INF");
    row("not a number", "0/0", "-1.#IND");
    row("root of negative", "Math.sqrt(-1)", "-1.#IND");
    row("overflow", "Math.pow(10,400)", "1.#INF");
    row("math constant", "Math.PI", "3.141592653589793");
    row("math functions", "Math.max(Math.floor(2.5),Math.ceil(1.2))", "2");
    row("several statements", "function twice(n){return n*2} var b=twice(3); b+1", "7");
    row("object toString", "({toString:function(){return 'abc'}})", "abc");
    row("array", "[1,2]", "1,2");
    row("string", "'abc'.toUpperCase()", "ABC");
    row("true", "1<2", "真");
    row("false", "1>2", "假");
    row("empty program", "", "");
    row("statement without value", "var a=1", "");
    row("undefined", "undefined", "");
    row("null", "null", "");
    row("syntax error", "1+", "");
    row("unknown name", "PI", "");
    row("unknown name in arithmetic", "PI*2", "");
    row("unknown function", "e2p(2)", "");
    row("typeof unknown name", "typeof PI", "undefined");
    row("thrown number", "throw 5", "");
    row("thrown error", "null.x", "");
    row("toString that throws", "({toString:function(){throw 1}})", "");
    row("runaway recursion", "function r(){return r()} r()", "");
    row("implicit global", "a=5;a*2", "10");
    row("global through this", "this.z=4;z", "4");
    row("own toString on object", "var o={};o.toString=function(){return 'hi'};o", "hi");
    row("toString set in constructor",
        "function B(){this.toString=function(){return 'bb'}} new B()", "bb");
    row("toString on prototype",
        "function C(){} C.prototype.toString=function(){return 'cc'}; new C()", "cc");
    row("frozen object keeps its toString",
        "var f=Object.freeze({});f.toString=1;typeof f.toString", "function");
    row("generator", "(function*(){yield 7})().next().value", "7");
    row("legacy octal", "010+1", "9");
    row("leading zero decimal", "08", "8");
    row("exponent with zeros", "1e-005*2", "0.00002");
    row("large but allowed repeat", "'ab'.repeat(1000).length", "2000");
}

void TestScriptHost::resultTexts()
{
    QFETCH(QString, program);
    QFETCH(QString, expected);
    QCOMPARE(m_host.Evaluate(program), expected);
}

// The probe gives the same text before and after the program that tries to leave something
// behind.
void TestScriptHost::nothingSurvivesAnEvaluation_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("probe");
    QTest::addColumn<QString>("expected");
    const auto row
            = [](const char *name, const QString &program, const QString &probe,
                 const QString &expected) { QTest::newRow(name) << program << probe << expected; };

    row("implicit global", "a=5", "a", "");
    row("var", "var b=3;b", "b", "");
    row("function", "function f(){return 2}", "typeof f", "undefined");
    row("property of this", "this.z=4", "typeof z", "undefined");
    row("defined on this", "Object.defineProperty(this,'d',{value:1})", "typeof d", "undefined");
    row("indirect eval var", "(0,eval)('var k=1')", "typeof k", "undefined");
    row("global prototype", "Object.getPrototypeOf(this).w=1", "typeof w", "undefined");
    row("replaced global prototype", "Object.setPrototypeOf(this,{v:1})", "typeof v", "undefined");
    row("redefined Math.sqrt", "Math.sqrt=function(){return 1}", "Math.sqrt(4)", "2");
    row("deleted Math.sqrt", "delete Math.sqrt", "Math.sqrt(4)", "2");
    row("Math constant", "Math.PI=3", "Math.PI", "3.141592653589793");
    row("Math prototype", "Object.setPrototypeOf(Math,{})", "Math.max(1,2)", "2");
    row("Object.prototype", "Object.prototype.q=1", "({}).q", "");
    row("Object.prototype toString", "Object.prototype.toString=function(){return 'x'}", "({})+''",
        "[object Object]");
    row("Array.prototype", "Array.prototype.push=null", "[1].push(2)", "2");
    row("String.prototype", "String.prototype.x=1", "'a'.x", "");
    row("Function.prototype", "Function.prototype.call=null", "Math.max.call(null,1,2)", "2");
    row("iterator prototype",
        "Object.getPrototypeOf(Object.getPrototypeOf([][Symbol.iterator]())).next=0",
        "[...[1,2]].length", "2");
    row("global name shadowed", "Math={}", "typeof Math.sqrt", "function");
    row("regular expression match", "/(a)/.exec('a')", "RegExp.$1", "");
    row("promise job", "typeof Promise", "typeof Promise", "undefined");
}

void TestScriptHost::nothingSurvivesAnEvaluation()
{
    QFETCH(QString, program);
    QFETCH(QString, probe);
    QFETCH(QString, expected);
    QCOMPARE(m_host.Evaluate(probe), expected);
    m_host.Evaluate(program);
    QCOMPARE(m_host.Evaluate(probe), expected);
}

void TestScriptHost::legacyNumberLiterals_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("expected");
    const auto row = [](const char *name, const QString &program, const QString &expected) {
        QTest::newRow(name) << program << expected;
    };

    row("octal", "010+1", "8+1");
    row("octal digits", "0777", "511");
    row("two octals", "[010,020]", "[8,16]");
    row("not octal", "08", "8");
    row("not octal with fraction", "09.5", "9.5");
    row("octal digits with fraction", "010.5", "10.5");
    row("zeros", "00", "0");
    row("zero", "0", "0");
    row("zero fraction", "0.05", "0.05");
    row("fraction digits", "1.010", "1.010");
    row("fraction only", ".010", ".010");
    row("exponent digits", "1e-010", "1e-010");
    row("exponent plus", "2E+005", "2E+005");
    row("hexadecimal", "0x10", "0x10");
    row("identifier", "x010", "x010");
    row("argument", "Math.pow(010,2)", "Math.pow(8,2)");
    row("single-quoted", "'010'+010", "'010'+8");
    row("double-quoted", "\"08\"", "\"08\"");
    row("escaped quote", "'it\\'s 010'+010", "'it\\'s 010'+8");
    row("line comment", "010// 010\n010", "8// 010\n8");
    row("block comment", "/* 010 */010", "/* 010 */8");
    row("unterminated string", "'010", "'010");
}

void TestScriptHost::legacyNumberLiterals()
{
    QFETCH(QString, program);
    QFETCH(QString, expected);
    QCOMPARE(RewriteLegacyNumberLiterals(program), expected);
}

void TestScriptHost::runawayProgramsFail_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("stopped");
    const auto row = [](const char *name, const QString &program, bool stopped) {
        QTest::newRow(name) << program << stopped;
    };

    row("while", "while(1){}", true);
    row("for", "for(;;);", true);
    row("inside try", "try{while(1){}}catch(e){}", true);
    row("catching and retrying", "for(;;){try{while(1);}catch(e){}}", true);
    row("looping toString", "({toString:function(){while(1);}})", true);
    row("in a finally", "try{}finally{while(1);}", true);
    row("growing array", "var a=[];while(1)a.push(1)", true);
    row("huge repeat", "'x'.repeat(2e9)", false);
    row("huge padStart", "'x'.padStart(2e9)", false);
    row("huge padEnd", "'x'.padEnd(2e9)", false);
    row("huge join", "Array(1e9).join('x')", false);
    row("huge toString", "String(Array(1e9))", false);
    row("huge fill", "Array(1e9).fill(0)", false);
    row("huge map", "Array(1e9).map(String)", false);
    row("huge includes", "Array(1e9).includes(1)", false);
    row("huge concat", "[1].concat(Array(1e9))", false);
    row("huge array-like", "Array.prototype.map.call({length:1e9},String)", false);
    row("huge from", "Array.from({length:1e9})", false);
    row("huge stringify", "JSON.stringify(Array(1e9))", false);
}

void TestScriptHost::runawayProgramsFail()
{
    QFETCH(QString, program);
    QFETCH(bool, stopped);
    m_host.SetTimeLimit(200ms);
    m_host.BeginUserAction();
    QCOMPARE(m_host.Evaluate(program), QString());
    QCOMPARE(m_host.stoppedInThisAction(), stopped);
    m_host.BeginUserAction();
    QCOMPARE(m_host.Evaluate("6*7"), "42");
}

void TestScriptHost::stoppedActionFailsAtOnceUntilNextAction()
{
    m_host.SetTimeLimit(100ms);
    m_host.BeginUserAction();
    QCOMPARE(m_host.Evaluate("while(1);"), QString());
    for (int i = 0; i < 1000; ++i)
        QCOMPARE(m_host.Evaluate("1+1"), QString());
    QCoreApplication::processEvents();
    QCOMPARE(m_host.Evaluate("1+1"), QString());
    m_host.BeginUserAction();
    QCOMPARE(m_host.Evaluate("1+1"), "2");
}

void TestScriptHost::eventLoopWaitingStartsNextAction()
{
    m_host.SetTimeLimit(100ms);
    m_host.BeginUserAction();
    m_host.Evaluate("while(1);");
    QVERIFY(m_host.stoppedInThisAction());
    QEventLoop loop;
    QTimer::singleShot(20ms, &loop, &QEventLoop::quit);
    loop.exec();
    QCOMPARE(m_host.Evaluate("1+1"), "2");
}

void TestScriptHost::defaultTimeLimitStopsRunaway()
{
    // A window waits out the limit without letting events through; longer looks like a crash.
    QVERIFY(ScriptHost::DefaultTimeLimit <= 1s);
    ScriptHost &host = ScriptHost::ForThisThread();
    QCOMPARE(host.timeLimit(), ScriptHost::DefaultTimeLimit);
    host.BeginUserAction();
    QCOMPARE(host.Evaluate("for(;;);"), QString());
    QVERIFY(host.stoppedInThisAction());
    host.BeginUserAction();
    QCOMPARE(host.Evaluate("2*3"), "6");
}

void TestScriptHost::eachThreadHasItsOwnEngine()
{
    ScriptHost *mainHost = &ScriptHost::ForThisThread();
    ScriptHost *otherHost = nullptr;
    QString otherResult;
    QScopedPointer<QThread> thread(QThread::create([&] {
        otherHost = &ScriptHost::ForThisThread();
        otherResult = otherHost->Evaluate("6*7");
    }));
    thread->start();
    QVERIFY(thread->wait(30000));
    QVERIFY(otherHost != mainHost);
    QCOMPARE(otherResult, "42");
}

void TestScriptHost::watchdogFiresOnlyWhenArmedDeadlinePasses()
{
    std::atomic<int> fired = 0;
    ScriptWatchdog watchdog([&] { ++fired; });
    watchdog.arm(ScriptWatchdog::Clock::now() + 10s);
    watchdog.disarm();
    watchdog.arm(ScriptWatchdog::Clock::now() + 20ms);
    QTRY_COMPARE(fired.load(), 1);
    QTest::qWait(50);
    QCOMPARE(fired.load(), 1);
}

void TestScriptHost::watchdogTakesEarlierDeadlineWhileSleeping()
{
    std::atomic<int> fired = 0;
    ScriptWatchdog watchdog([&] { ++fired; });
    watchdog.arm(ScriptWatchdog::Clock::now() + 1h);
    QTest::qWait(20);
    watchdog.arm(ScriptWatchdog::Clock::now() + 10ms);
    QTRY_COMPARE(fired.load(), 1);
}

QTEST_GUILESS_MAIN(TestScriptHost)
#include "tst_scripthost.moc"
