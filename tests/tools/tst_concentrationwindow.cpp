#include "tools/applied/concentrationwindow.h"
#include "ui/editbox.h"
#include "windowtest.h"

#include <QSignalSpy>
#include <QTest>

class ConcentrationWindowTest : public WindowTest
{
    Q_OBJECT
private slots:
    void convertsAfterEveryKey_data();
    void convertsAfterEveryKey();
    void replyIsNotConvertedBack();
    void withoutDensityThereIsNoReply_data();
    void withoutDensityThereIsNoReply();
    void replyFollowsEveryInput_data();
    void replyFollowsEveryInput();

private:
    ConcentrationWindow *OpenWithConstants(const QString &density, const QString &molarMass);
    EditBox *Box(const char *name) const
    {
        return FindControl<EditBox>(m_window, QString::fromUtf8(name));
    }
    ConcentrationWindow *m_window = nullptr;
};

ConcentrationWindow *ConcentrationWindowTest::OpenWithConstants(const QString &density,
                                                                const QString &molarMass)
{
    m_window = new ConcentrationWindow;
    [&] { QVERIFY(ShowAndActivate(m_window)); }();
    QTest::keyClicks(Box("编辑框3"), density);
    QTest::keyClicks(Box("编辑框4"), molarMass);
    return m_window;
}

void ConcentrationWindowTest::convertsAfterEveryKey_data()
{
    QTest::addColumn<QString>("density");
    QTest::addColumn<QString>("molarMass");
    QTest::addColumn<QString>("typedBox");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("replyBox");
    QTest::addColumn<QStringList>("replies"); // after each key
    QTest::newRow("sulfuric acid, w to c") << "1.84"
                                           << "98"
                                           << "编辑框2"
                                           << "98"
                                           << "编辑框1" << QStringList{"1.689795918367", "18.4"};
    QTest::newRow("brine, c to w") << "1"
                                   << "58.5"
                                   << "编辑框1"
                                   << "1"
                                   << "编辑框2" << QStringList{"5.85"};
    QTest::newRow("backspace converts too") << "1"
                                            << "40"
                                            << "编辑框1"
                                            << "25\b"
                                            << "编辑框2" << QStringList{"8", "100", "8"};
}

void ConcentrationWindowTest::convertsAfterEveryKey()
{
    QFETCH(QString, density);
    QFETCH(QString, molarMass);
    QFETCH(QString, typedBox);
    QFETCH(QString, typed);
    QFETCH(QString, replyBox);
    QFETCH(QStringList, replies);
    OpenWithConstants(density, molarMass);
    auto *input = FindControl<EditBox>(m_window, typedBox);
    auto *reply = FindControl<EditBox>(m_window, replyBox);
    for (int index = 0; index < typed.size(); ++index) {
        if (typed.at(index) == u'\b')
            QTest::keyClick(input, Qt::Key_Backspace);
        else
            QTest::keyClicks(input, typed.at(index));
        QCOMPARE(reply->text(), replies.at(index));
    }
}

void ConcentrationWindowTest::replyIsNotConvertedBack()
{
    OpenWithConstants(QStringLiteral("1"), QStringLiteral("40"));
    QSignalSpy typedBoxChanges(Box("编辑框2"), &QLineEdit::textChanged);
    QTest::keyClicks(Box("编辑框2"), QStringLiteral("-0.5"));
    // Converted back, the lone "-" would come back as "0" and spoil the rest of the typing.
    QCOMPARE(typedBoxChanges.count(), 4);
    QCOMPARE(Box("编辑框2")->text(), QStringLiteral("-0.5"));
    QCOMPARE(Box("编辑框1")->text(), QStringLiteral("-0.125"));
}

void ConcentrationWindowTest::withoutDensityThereIsNoReply_data()
{
    QTest::addColumn<QString>("density");
    QTest::addColumn<QString>("molarMass");
    QTest::newRow("density empty") << ""
                                   << "98";
    QTest::newRow("molar mass empty") << "1.84"
                                      << "";
    QTest::newRow("density zero") << "0"
                                  << "98";
    QTest::newRow("density tiny") << "0.00000001"
                                  << "98";
}

void ConcentrationWindowTest::withoutDensityThereIsNoReply()
{
    QFETCH(QString, density);
    QFETCH(QString, molarMass);
    OpenWithConstants(density, molarMass);
    QTest::keyClicks(Box("编辑框1"), QStringLiteral("2"));
    QCOMPARE(Box("编辑框2")->text(), QString());
    QTest::keyClicks(Box("编辑框2"), QStringLiteral("5"));
    QCOMPARE(Box("编辑框1")->text(), QString());
    // The silent refusal that emptied the box does not colour what is typed there next.
    QVERIFY(!Box("编辑框2")->property("error").toBool());
    QTest::keyClick(Box("编辑框2"), Qt::Key_Return);
    QCOMPARE(Box("编辑框1")->text(), QString());
}

void ConcentrationWindowTest::replyFollowsEveryInput_data()
{
    QTest::addColumn<QString>("typedBox"); // typed first: "1" with ρ = 1 and M = 40
    QTest::addColumn<QString>("changedBox");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reply");
    QTest::newRow("M after c") << "编辑框1"
                               << "编辑框4"
                               << "400"
                               << "40";
    QTest::newRow("ρ after c") << "编辑框1"
                               << "编辑框3"
                               << "2"
                               << "2";
    QTest::newRow("ρ emptied after c") << "编辑框1"
                                       << "编辑框3"
                                       << ""
                                       << "";
    QTest::newRow("c emptied") << "编辑框1"
                               << "编辑框1"
                               << ""
                               << "";
    QTest::newRow("M after w") << "编辑框2"
                               << "编辑框4"
                               << "80"
                               << "0.125";
    QTest::newRow("M zero after w") << "编辑框2"
                                    << "编辑框4"
                                    << "0"
                                    << "";
}

void ConcentrationWindowTest::replyFollowsEveryInput()
{
    QFETCH(QString, typedBox);
    QFETCH(QString, changedBox);
    QFETCH(QString, text);
    OpenWithConstants(QStringLiteral("1"), QStringLiteral("40"));
    QTest::keyClicks(FindControl<EditBox>(m_window, typedBox), QStringLiteral("1"));
    auto *reply = Box(typedBox == QStringLiteral("编辑框1") ? "编辑框2" : "编辑框1");
    QVERIFY(!reply->text().isEmpty());
    Replace(FindControl<EditBox>(m_window, changedBox), text);
    QTEST(reply->text(), "reply");
}

QTEST_MAIN(ConcentrationWindowTest)
#include "tst_concentrationwindow.moc"
