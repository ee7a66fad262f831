// The loading instructions as a loader and a spreadsheet see them: the PDF's
// text through pdftotext, its pictures through pdftoppm, the .xlsx through
// openpyxl.
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include "engine/block_tables.h"
#include "engine/calculation.h"
#include "engine/loading_steps.h"
#include "report/report_pdf.h"
#include "report/report_text.h"
#include "report/report_xlsx.h"
#include "tests/support/worked_example.h"
#include "ui/fonts.h"
#include "version.h"
#include "view/type_colours.h"

Q_DECLARE_METATYPE(varnel::loading_report)

namespace varnel {
namespace {

QString q(const char* s) { return QString::fromUtf8(s); }
QString q(const std::string& s) { return QString::fromStdString(s); }

report_carton carton(const char* name, double l, double w, double h, std::optional<double> kg) {
    report_carton c;
    c.name = name;
    c.size = {l, w, h};
    c.weight = kg;
    c.colour = 0;
    return c;
}

loading_report worked_example() {
    load_model model;
    run_calculation(model, test_support::worked_example_mm, false, true);
    loading_report r;
    r.container = {"", {2350, 5900, 2390}, std::nullopt};
    r.types = {carton("", 600, 850, 400, std::nullopt)};
    r.plan_kind = "标准计算";
    r.date = "2025-01-31";
    add_load(r, "", standard_blocks(model));
    return r;
}

// Two types in two containers, as a mixed order fills the report.
loading_report two_containers() {
    loading_report r;
    r.container = {"20尺柜", {2350, 5900, 2390}, 21000.0};
    r.types = {carton("A", 600, 850, 400, 20.0), carton("B", 500, 400, 300, 5.0)};
    r.types[1].colour = 1;
    r.plan_kind = "混装计算";
    r.plan_name = "order.csv";
    r.date = "2025-01-31";
    r.order_containers = 2;
    add_load(r, "第1个集装箱",
             {{0, 1700, 0, 2, 3, 2, 1, 0},
              {0, 0, 800, 3, 4, 3, 1, 1},
              {1800, 0, 0, 5, 1, 5, 4, 1},
              {0, 0, 0, 1, 3, 2, 2, 0}});
    add_load(r, "第2个集装箱", {{0, 0, 0, 3, 5, 4, 2, 1}});
    return r;
}

// Two 20 kg cartons side by side, two high, at the far end's left corner of
// 590 × 235 cm, judged by a band of 5 %: their centre 60 cm from the left
// and 42.5 cm from the far end, 252.5 cm from the middle (the band 29.5 cm),
// the lower cartons carrying 20 kg of the 50 they may.
loading_report weighed_corner() {
    loading_report r;
    r.container = {"", {2350, 5900, 2390}, 21000.0};
    r.types = {carton("A", 600, 850, 400, 20.0)};
    r.types[0].max_load = 50.0;
    r.plan_kind = "混装计算";
    r.date = "2025-01-31";
    r.balance_share = 0.05;
    add_load(r, "", {{0, 0, 0, 1, 2, 1, 2, 0}});
    return r;
}

QColor qtype(rgb c) { return {c.red, c.green, c.blue}; }

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The PDF written to `file` and its text as pdftotext reads it, one line;
// empty when it could not be written.
QString written_text(const QByteArray& pdf, const QString& file) {
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(pdf) != pdf.size()) return {};
    out.close();
    return run(QStringLiteral(VARNEL_PDFTOTEXT), {file, QStringLiteral("-")})
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

// The report's spreadsheet as openpyxl reads it back: each sheet's title
// after "#", then its rows below the header, cells joined by "|".
QString spreadsheet_rows(const loading_report& report) {
    const std::optional<QByteArray> xlsx = report_xlsx(report);
    if (!xlsx) return {};
    QTemporaryDir folder;
    QFile out(folder.filePath(QStringLiteral("steps.xlsx")));
    if (!out.open(QIODevice::WriteOnly) || out.write(*xlsx) != xlsx->size()) return {};
    out.close();
    return run(QStringLiteral(VARNEL_OPENPYXL_PYTHON),
               {QStringLiteral("-c"),
                QStringLiteral("import sys, openpyxl\n"
                               "for ws in openpyxl.load_workbook(sys.argv[1]).worksheets:\n"
                               "    print('#' + ws.title)\n"
                               "    for row in ws.iter_rows(min_row=2, values_only=True):\n"
                               "        print('|'.join(repr(v) for v in row))\n"),
                out.fileName()});
}

}  // namespace

class report_test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { map_program_fonts(); }

    void pdf_text_data() {
        QTest::addColumn<loading_report>("report");
        QTest::addColumn<QStringList>("summary");
        QTest::newRow("worked example")
            << worked_example()
            << QStringList{q("装箱指导书"),
                           q("方案：标准计算"),
                           q("集装箱：自定义尺寸"),
                           q("内尺寸（长 × 宽 × 高）：590 × 235 × 239 cm"),
                           q("共装 130 个包装箱，分 7 面墙、22 步装入"),
                           q("容积利用率：80.03%"),
                           q("货重：未给出包装箱重量")};
        QTest::newRow("two containers")
            << two_containers()
            << QStringList{q("方案：order.csv（混装计算）"),
                           q("集装箱：20尺柜"),
                           q("载重：21000 千克"),
                           q("本订单共需 2 个集装箱"),
                           q("共装 50 个包装箱，分 3 面墙、6 步装入"),
                           q("货重：520 千克（载重 21000 千克）"),
                           q("纵向重心：距里端 111 cm（集装箱中点 295 cm，偏向里端 184 cm）")};
        QTest::newRow("weighed, judged by its band")
            << weighed_corner()
            << QStringList{q("货重：80 千克（载重 21000 千克）"),
                           q("纵向重心：距里端 43 cm（集装箱中点 295 cm，偏向里端 253 cm）"),
                           q("横向重心：距左侧 60 cm（集装箱中点 118 cm）"),
                           q("重心允许范围：前后 ±30 cm，左右 ±12 cm；"
                             "重心偏离中心253 cm，超出允许的30 cm"),
                           q("最重承压：20 千克（允许 50 千克）")};
    }

    // Every step in loading order with its count, stance and start, each
    // wall's first after the wall's heading, each container's after its own
    // heading, and every page numbered.
    void pdf_text() {
        QFETCH(loading_report, report);
        QFETCH(QStringList, summary);
        const std::optional<QByteArray> pdf = report_pdf(report, paper_size::a4);
        QVERIFY(pdf);
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("report.pdf"));
        const QString text = written_text(*pdf, file);
        QVERIFY(!text.isEmpty());
        for (const QString& line : summary) QVERIFY2(text.contains(line), qPrintable(line));

        qsizetype at = 0;
        for (const report_load& load : report.loads) {
            if (!load.heading.empty()) {
                at = text.indexOf(q(load.heading), at);
                QVERIFY2(at >= 0, load.heading.c_str());
            }
            const loading_instructions order = instructions_of(load.blocks, report.types);
            const std::vector<loading_step>& steps = order.steps;
            for (std::size_t i = 0; i < steps.size(); ++i) {
                const loading_step& s = steps[i];
                QStringList expected;
                if (i == 0 || steps[i - 1].wall != s.wall) {
                    const wall_span& w = order.walls[s.wall];
                    expected << q("第%1面墙：距里端 %2–%3 cm")
                                    .arg(s.wall + 1)
                                    .arg(std::round(w.from / 10))
                                    .arg(std::round(w.to / 10));
                }
                expected << QStringList{
                    QStringLiteral("第 %1 步").arg(i + 1),
                    q("数量：") + q(count_text(s)) + QStringLiteral(" = %1 箱").arg(s.cartons),
                    q("摆放：") + q(stance_text(s.orientation)),
                    QStringLiteral("累计：%1 / ").arg(s.running_total)};
                for (const QString& e : expected) {
                    const qsizetype next = text.indexOf(e, at);
                    QVERIFY2(next >= at, qPrintable(e));
                    at = next;
                }
            }
        }
        const QString pages = run(QStringLiteral(VARNEL_PDFINFO), {file});
        const int count =
            QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(pages).captured(1).toInt();
        QVERIFY(count > 1);
        for (int page = 1; page <= count; ++page) {
            QVERIFY(text.contains(QStringLiteral("第 %1 页 / 共 %2 页").arg(page).arg(count)));
        }
        QCOMPARE(text.count(QStringLiteral("Varnel " VARNEL_VERSION)), count);
        QVERIFY(pages.contains(QStringLiteral("595 x 842 pts (A4)")));
    }

    // An order on pallets: a page per pallet type after the summary, its
    // lines and each layer, and steps that count loaded pallets.
    void pallet_pages() {
        loading_report r;
        r.container = {"20尺柜", {2350, 5900, 2390}, 21000.0};
        r.types = {carton("欧标托盘（纸箱A，每托48箱）", 1200, 800, 1644, 625.0)};
        r.types[0].pallet_load = "（纸箱A，每托48箱）";
        r.types[0].cartons_each = 48;
        r.plan_kind = "混装计算";
        r.date = "2025-01-31";
        add_load(r, "", {{0, 0, 0, 3, 2, 2, 1, 0}});
        report_pallet page{"欧标托盘（纸箱A）",
                           {1200, 800},
                           {{}},
                           {"每托48箱：6层，每层8箱", "整托4个，零托1个（8箱）"}};
        for (int k = 0; k < 8; ++k)
            page.layers[0].push_back({300.0 * (k / 2), 400.0 * (k % 2), 300, 400});
        r.pallets = {page};
        const std::optional<QByteArray> pdf = report_pdf(r, paper_size::a4);
        QVERIFY(pdf);
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("report.pdf"));
        const QString text = written_text(*pdf, file);
        qsizetype at = 0;
        for (const QString& e :
             {q("第 1 页 / 共 3 页"), q("欧标托盘（纸箱A）"), q("每托48箱：6层，每层8箱"),
              q("整托4个，零托1个（8箱）"), q("第1层（俯视）"), q("第 2 页 / 共 3 页"),
              // The line may break after the comma.
              q("第 1 步"), q("数量：2列 × 1排 × 1层 = 2个欧标托盘（纸箱A，"), q("累计：96 / "),
              q("第 2 步"), q("数量：2列 × 1排 × 1层 = 2个欧标托盘（纸箱A，"), q("累计：192 / ")}) {
            const qsizetype next = text.indexOf(e, at);
            QVERIFY2(next >= at, qPrintable(e));
            at = next;
        }
    }

    // Positions as a tape measure reads them: whole centimetres, whatever
    // float noise the sums of sides carry.
    void whole_centimetres_data() {
        QTest::addColumn<double>("millimetres");
        QTest::addColumn<QString>("text");
        QTest::newRow("noise below zero") << -3.089939e-5 << q("0 cm");
        QTest::newRow("a hair short") << 299.9998 << q("30 cm");
        QTest::newRow("1143.2 cm through float") << 11431.99951171875 << q("1143 cm");
        QTest::newRow("half a centimetre up") << 15.0 << q("2 cm");
        QTest::newRow("a 40-foot container") << 12032.0 << q("1203 cm");
    }
    void whole_centimetres() {
        QFETCH(double, millimetres);
        QFETCH(QString, text);
        QCOMPARE(cm(millimetres), text);
    }

    // Weights as a loader reads them: whole kilograms, one decimal below 10.
    void kilograms_data() {
        QTest::addColumn<double>("kg");
        QTest::addColumn<QString>("text");
        QTest::newRow("a carton of 12.5 kg") << 12.5 << q("13 千克");
        QTest::newRow("below 10") << 2.35 << q("2.4 千克");
        QTest::newRow("float noise of a sum") << 8274.999755859375 << q("8275 千克");
        QTest::newRow("a payload") << 26730.0 << q("26730 千克");
    }
    void kilograms() {
        QFETCH(double, kg);
        QFETCH(QString, text);
        QCOMPARE(varnel::kg(kg), text);
    }

    void letter_paper() {
        const std::optional<QByteArray> pdf = report_pdf(worked_example(), paper_size::letter);
        QVERIFY(pdf);
        QTemporaryDir folder;
        QFile out(folder.filePath(QStringLiteral("letter.pdf")));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(*pdf) == pdf->size());
        out.close();
        QVERIFY(run(QStringLiteral(VARNEL_PDFINFO), {out.fileName()})
                    .contains(QStringLiteral("612 x 792 pts (letter)")));
    }

    // Read back by another program, each container's sheet holds its steps
    // as the step table gives them, numbers as numbers.
    void spreadsheet_reads_back() {
        if (QStringLiteral(VARNEL_OPENPYXL_PYTHON).isEmpty()) QSKIP("no Python with openpyxl");
        const loading_report report = two_containers();
        const QString dump = spreadsheet_rows(report);
        QStringList expected;
        for (const report_load& load : report.loads) {
            expected << QStringLiteral("#") + q(load.heading);
            int number = 1;
            for (const loading_step& s : loading_steps(load.blocks, report.types)) {
                expected << QStringLiteral("%1|'%2'|%3|%4|%5|%6|'%7'|%8|%9|%10|%11|%12")
                                .arg(number++)
                                .arg(q(report.types[s.type].name))
                                .arg(s.columns)
                                .arg(s.rows)
                                .arg(s.layers)
                                .arg(s.cartons)
                                .arg(q(stance_text(s.orientation)))
                                .arg(std::round(s.from_far_end / 10))
                                .arg(std::round(s.from_left / 10))
                                .arg(std::round(s.from_floor / 10))
                                .arg(s.running_total)
                                .arg(s.wall + 1);
            }
        }
        // Then each container's figures: cartons, utilisation, weight,
        // centre of gravity along and across, and the most a carton carries;
        // no band and no limit here.
        expected << q("#装载概要") << q("'第1个集装箱'|50|16.87|520|111|110|None|None|None|33|None")
                 << q("'第2个集装箱'|40|7.24|200|100|100|None|None|None|5|None");
        QCOMPARE(dump.trimmed().split('\n'), expected);
    }

    // A weighed load judged by its band: the figures sheet gives the band,
    // the verdict and what the cartons may carry beside the centre.
    void spreadsheet_figures_of_a_weighed_load() {
        if (QStringLiteral(VARNEL_OPENPYXL_PYTHON).isEmpty()) QSKIP("no Python with openpyxl");
        const QStringList rows = spreadsheet_rows(weighed_corner()).trimmed().split('\n');
        QVERIFY(rows.size() > 2);
        QCOMPARE(rows.mid(rows.size() - 2),
                 (QStringList{q("#装载概要"), q("'自定义尺寸'|4|2.46|80|43|60|30|12|"
                                                "'重心偏离中心253 cm，超出允许的30 cm'|20|50")}));
    }

    void first_picture_data() {
        QTest::addColumn<loading_report>("report");
        QTest::addColumn<int>("page");
        QTest::addColumn<QList<int>>("shown");
        QTest::addColumn<QList<int>>("absent");
        QTest::newRow("one size, on the summary")
            << worked_example() << 1 << QList<int>{0} << QList<int>{1, 2};
        QTest::newRow("an order, on its first container's page")
            << two_containers() << 2 << QList<int>{0, 1} << QList<int>{2, 3};
    }

    // The first picture, rendered as a reader's viewer does, is solid: each
    // type of its load covers a good part of the page in its hue, and no
    // other type's hue shows.
    void first_picture() {
        if (!QFileInfo(QStringLiteral(VARNEL_PDFTOPPM)).isExecutable()) {
            QSKIP("pdftoppm (poppler-utils) is needed to read the pages");
        }
        QFETCH(loading_report, report);
        QFETCH(int, page);
        QFETCH(QList<int>, shown);
        QFETCH(QList<int>, absent);
        const std::optional<QByteArray> pdf = report_pdf(report, paper_size::a4);
        QVERIFY(pdf);
        QTemporaryDir folder;
        QFile out(folder.filePath(QStringLiteral("report.pdf")));
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(*pdf) == pdf->size());
        out.close();
        const QString prefix = folder.filePath(QStringLiteral("page"));
        QCOMPARE(
            QProcess::execute(QStringLiteral(VARNEL_PDFTOPPM),
                              {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-f"),
                               QString::number(page), QStringLiteral("-l"), QString::number(page),
                               QStringLiteral("-singlefile"), out.fileName(), prefix}),
            0);
        const QImage image(prefix + QStringLiteral(".ppm"));
        QVERIFY(!image.isNull());
        // Pixels of a type's hue: its faces, whatever their shade; the
        // table's swatch is a few hundred.
        const auto of_hue = [&](int type) {
            const double hue = QColor(qtype(type_colour(static_cast<std::size_t>(type)))).hsvHueF();
            qsizetype n = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    if (c.hsvSaturationF() < 0.15 || c.hsvHueF() < 0) continue;
                    const double d = std::fabs(c.hsvHueF() - hue);
                    if (std::min(d, 1.0 - d) < 6.0 / 360) ++n;
                }
            }
            return n;
        };
        const qsizetype area = qsizetype{image.width()} * image.height();
        for (const int type : shown)
            QVERIFY2(of_hue(type) > area / 100, qPrintable(QString::number(type)));
        for (const int type : absent) QCOMPARE(of_hue(type), 0);
    }
};

}  // namespace varnel

QTEST_MAIN(varnel::report_test)
#include "report_test.moc"
