#include "DialogTestKit.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "WidgetTestKit.h"
#include "support/TestEnvironment.h"

using namespace Qt::StringLiterals;

namespace DialogTestKit {

namespace {

QString Shipped(const QString& skin) {
    return TestEnvironment::SourceDir() + u"/Skins/"_s + skin;
}

}  // namespace

void LinkShippedSkins() {
    QDir().mkpath(u"./Skins"_s);
    for (const char* skin : {"Quilo2", "Midnight"}) {
        QFile::link(Shipped(QString::fromLatin1(skin)), u"./Skins/"_s + QString::fromLatin1(skin));
    }
}

void MakeVariantSkin(const QString& from, const QString& name, const QList<QByteArray>& dropKeys,
                     const QStringList& dropFiles,
                     const std::map<QByteArray, QByteArray>& setLines) {
    const QString folder = u"./Skins/"_s + name;
    QDir().mkpath(folder);
    for (const QString& file : QDir(Shipped(from)).entryList(QDir::Files)) {
        if (!dropFiles.contains(file)) {
            QFile::copy(Shipped(from) + u'/' + file, folder + u'/' + file);
        }
    }
    QFile ini(folder + u"/skininfo.ini"_s);
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    QByteArray text = ini.readAll();
    ini.close();
    for (const QByteArray& key : dropKeys) {
        const qsizetype at = text.indexOf(key);
        ASSERT_GE(at, 0) << key.toStdString();
        text.remove(at, text.indexOf("\r\n", at) + 2 - at);
    }
    for (const auto& [key, line] : setLines) {
        const qsizetype at = text.indexOf(key);
        ASSERT_GE(at, 0) << key.toStdString();
        text.replace(at, text.indexOf("\r\n", at) - at, line);
    }
    ASSERT_TRUE(ini.remove());
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(text);
}

bool RealClickOn(const QWidget& control) {
    return WidgetTestKit::RealClick(control.mapToGlobal(control.rect().center()));
}

}  // namespace DialogTestKit
