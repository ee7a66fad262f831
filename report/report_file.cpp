#include "report/report_file.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include "report/report_xlsx.h"

namespace varnel {

bool names_spreadsheet(const QString& file_name) {
    return file_name.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive);
}

std::optional<QByteArray> report_file(const loading_report& report, const QString& file_name,
                                      paper_size paper) {
    if (names_spreadsheet(file_name)) return report_xlsx(report);
    // Fonts and drawing need Qt Gui's application object.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        return std::nullopt;
    }
    return report_pdf(report, paper);
}

}  // namespace varnel
