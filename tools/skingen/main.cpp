// quilo-skingen: draws the shipped skins and the program's built-in images.
//   quilo-skingen --skins Skins --resources src/resources [--preview DIR]
// The output depends only on this code and the Nanum font files, so running it again gives the
// same bytes; the results are committed.

#include <QCommandLineParser>
#include <QDir>
#include <QGuiApplication>
#include <QTextStream>
#include <memory>
#include <vector>

#include "Fonts.h"
#include "MidnightDesign.h"
#include "Quilo2Design.h"
#include "ResourceWriter.h"

namespace {

int Fail(const QStringList& problems) {
    QTextStream err(stderr);
    for (const QString& problem : problems) {
        err << "quilo-skingen: " << problem << '\n';
    }
    return 1;
}

QStringList WriteSkins(const QString& root, const QString& previews) {
    QDir().mkpath(root);
    if (!previews.isEmpty()) {
        QDir().mkpath(previews);
    }
    std::vector<std::unique_ptr<SkinDesign>> designs;
    designs.push_back(std::make_unique<Quilo2Design>());
    designs.push_back(std::make_unique<MidnightDesign>());
    QStringList problems;
    for (const auto& design : designs) {
        problems += design->Write(QDir(root), previews);
    }
    return problems;
}

}  // namespace

int main(int argc, char** argv) {
    // drawing needs fonts, not a screen
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws Quilo's skins and built-in images."));
    parser.addHelpOption();
    const QCommandLineOption skins(QStringLiteral("skins"), QStringLiteral("Skins folder."),
                                   QStringLiteral("dir"));
    const QCommandLineOption resources(QStringLiteral("resources"),
                                       QStringLiteral("Resource folder."), QStringLiteral("dir"));
    const QCommandLineOption preview(QStringLiteral("preview"),
                                     QStringLiteral("Also write a picture of every window here."),
                                     QStringLiteral("dir"));
    parser.addOptions({skins, resources, preview});
    parser.process(app);
    if (!parser.isSet(skins) && !parser.isSet(resources)) {
        parser.showHelp(2);
    }
    if (!Fonts::Load()) {
        return Fail({QStringLiteral("the Nanum fonts (fonts-nanum) are not installed")});
    }
    QStringList problems;
    if (parser.isSet(skins)) {
        problems += WriteSkins(parser.value(skins), parser.value(preview));
    }
    if (parser.isSet(resources)) {
        const QStringList failed = ResourceWriter(QDir(parser.value(resources))).Write();
        for (const QString& file : failed) {
            problems << QStringLiteral("cannot write ") + file;
        }
    }
    return problems.isEmpty() ? 0 : Fail(problems);
}
