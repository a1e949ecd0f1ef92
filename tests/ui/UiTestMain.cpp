// Widget tests need an application object; they run on the offscreen
// platform unless told otherwise. Shared by the ui, prefs and mainwindow tests.
#include <gtest/gtest.h>

#include <QApplication>

namespace {

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform cannot fix a window's size and says so for every
// window; that says nothing about the program.
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (!text.contains(QLatin1String("propagateSizeHints"))) {
        defaultHandler(type, context, text);
    }
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    defaultHandler = qInstallMessageHandler(QuietOffscreenNotes);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
