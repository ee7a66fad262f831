// Every output of the planner writes its numbers with a point, whatever the
// locale: a program that starts Qt takes the user's locale for the C library
// too, and under a comma-decimal one the C library reads and writes "80,03".
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tools/planner_cli.h"

namespace varnel {
namespace {

// A locale whose decimal separator is a comma, made for the test alone (no
// system locale needs to be installed), and set for the whole process while
// the object lives.
class comma_locale {
public:
    comma_locale() {
        const QString source = folder_.filePath(QStringLiteral("comma.def"));
        QFile file(source);
        if (!file.open(QIODevice::WriteOnly)) return;
        file.write(
            "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\ngrouping 3;3\n"
            "END LC_NUMERIC\n");
        file.close();
        // -c: the other categories are left as in the C locale.
        QProcess::execute(
            QStringLiteral("localedef"),
            {QStringLiteral("-c"), QStringLiteral("-i"), source, QStringLiteral("-f"),
             QStringLiteral("ANSI_X3.4-1968"), folder_.filePath(QStringLiteral("comma"))});
        setenv("LOCPATH", folder_.path().toLocal8Bit().constData(), 1);
        active_ = std::setlocale(LC_ALL, "comma") != nullptr;
    }
    ~comma_locale() {
        std::setlocale(LC_ALL, "C");
        unsetenv("LOCPATH");
    }
    comma_locale(const comma_locale&) = delete;
    comma_locale& operator=(const comma_locale&) = delete;

    bool active() const { return active_; }

private:
    QTemporaryDir folder_;
    bool active_ = false;
};

std::string plan(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = run_planner(args, out, err);
    return std::to_string(status) + "\n" + out.str() + err.str();
}

TEST(PlannerLocale, NumbersKeepTheirPointUnderACommaDecimalLocale) {
    const std::vector<std::string> worked = {"590", "235", "239", "60", "85", "40"};
    const std::vector<std::vector<std::string>> extras = {
        {"--json"},
        {"--optimise", "--upright"},
        {"-o", "-"},
        {"--quantity", "131", "--carton-weight", "18.5"},
        {"--quantity", "500", "--carton-weight", "250.25", "--payload", "26000.5", "--json"},
    };
    std::vector<std::string> in_c;
    for (const auto& extra : extras) {
        std::vector<std::string> args = worked;
        args.insert(args.end(), extra.begin(), extra.end());
        in_c.push_back(plan(args));
    }
    EXPECT_NE(in_c[0].find("\"utilisation\":80.03"), std::string::npos) << in_c[0];

    const comma_locale comma;
    if (!comma.active()) GTEST_SKIP() << "localedef could not make a comma-decimal locale";
    ASSERT_EQ(std::strtod("80.03", nullptr), 80.0);  // the fault this guards against
    for (std::size_t i = 0; i < extras.size(); ++i) {
        std::vector<std::string> args = worked;
        args.insert(args.end(), extras[i].begin(), extras[i].end());
        EXPECT_EQ(plan(args), in_c[i]) << i;
    }
}

}  // namespace
}  // namespace varnel
