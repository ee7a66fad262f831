#include <QCoreApplication>
#include <QtTest>

#include "help/help_commands.h"
#include "tests/support/scripted_prompts.h"

namespace varnel {

class help_commands_test : public QObject {
    Q_OBJECT

private slots:
    void the_help_page_lies_below_the_program_folder_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("url");
        QTest::newRow("a folder") << QStringLiteral("/usr/lib/varnel")
                                  << QStringLiteral("file:///usr/lib/varnel/help/index.html");
        QTest::newRow("a folder with a separator")
            << QStringLiteral("/usr/lib/varnel/")
            << QStringLiteral("file:///usr/lib/varnel/help/index.html");
        // At the root one separator, not a network path "//help".
        QTest::newRow("the root") << QStringLiteral("/")
                                  << QStringLiteral("file:///help/index.html");
        QTest::newRow("Chinese and a blank")
            << QStringLiteral("/opt/集装箱 Varnel")
            << QStringLiteral("file:///opt/集装箱 Varnel/help/index.html");
    }

    void the_help_page_lies_below_the_program_folder() {
        QFETCH(QString, folder);
        QFETCH(QString, url);
        QCOMPARE(help_page_url(folder).toString(), url);
    }

    void help_and_feedback_ask_to_open_their_urls() {
        scripted_prompts ask;
        open_help(ask);
        send_feedback(ask);
        QCOMPARE(ask.log.size(), std::size_t{2});
        QCOMPARE(ask.log[0].what, scripted_prompts::exchange::url);
        QCOMPARE(ask.log[0].text, QUrl::fromLocalFile(QCoreApplication::applicationDirPath() +
                                                      QStringLiteral("/help/index.html"))
                                      .toString());
        QCOMPARE(ask.log[1].text, QStringLiteral("mailto:support@varnel.example"));
        QVERIFY(ask.messages().isEmpty());
    }

    void without_a_browser_the_user_learns_where_to_go() {
        scripted_prompts ask;
        ask.url_opens = false;
        open_help(ask);
        send_feedback(ask);
        const QString page = QCoreApplication::applicationDirPath() + "/help/index.html";
        QCOMPARE(ask.messages(),
                 (QStringList{"无法打开帮助文件：" + page,
                              "无法打开邮件程序，请发送邮件至：support@varnel.example"}));
    }
};

}  // namespace varnel

QTEST_MAIN(varnel::help_commands_test)
#include "help_commands_test.moc"
