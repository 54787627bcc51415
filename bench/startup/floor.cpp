// The floor the game's start is measured against: a bare Qt 6 Widgets main
// window of the game's size with a menu bar of nine items, and nothing else.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("floor"));
    window.resize(600, 533);
    for (const char* item : {"対局", "局面", "戻", "進", "△", "▽", "棋譜", "ｵﾌﾟｼｮﾝ", "その他"})
        window.menuBar()->addMenu(QString::fromUtf8(item));
    window.show();
    return app.exec();
}
