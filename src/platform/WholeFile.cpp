#include "platform/WholeFile.h"

#include <QSaveFile>

bool CommitWhole(QSaveFile& file) {
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();  // the temporary file goes with the object, the target stays
        return false;
    }
    return file.commit();
}

bool SaveWholeFile(const QString& path, QByteArrayView bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return CommitWhole(file);
}
