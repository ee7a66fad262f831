#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "catalogue/catalogue_store.h"

namespace varnel::test_support {

// A fresh copy of the delivered catalogue in a folder of its own, removed
// with the object.
class catalogue_copy {
public:
    explicit catalogue_copy(const QString& subfolder = QStringLiteral(".")) {
        folder_ = QDir::cleanPath(dir_.filePath(subfolder));
        QDir().mkpath(folder_);
        QFile::copy(QString::fromUtf8(VARNEL_DELIVERED_CATALOGUE), file());
        QFile::setPermissions(file(), QFile::ReadOwner | QFile::WriteOwner);
    }

    const QString& folder() const { return folder_; }
    QString file() const { return folder_ + QStringLiteral("/qr_ji.qrd"); }

private:
    QTemporaryDir dir_;
    QString folder_;
};

}  // namespace varnel::test_support
