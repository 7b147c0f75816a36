// SPDX-License-Identifier: GPL-3.0-or-later

// A window that starts a drag as soon as a mouse button goes down in it,
// carrying the files given, each offered as its content type:
//   drag-source TYPE FILE [TYPE FILE ...]
// It stands for a file manager or a browser in the end-to-end tests, a
// separate X client so that the drop travels over XDND.
#include <QApplication>
#include <QDrag>
#include <QFile>
#include <QMimeData>
#include <QMouseEvent>
#include <QWidget>

namespace {

class DragSource : public QWidget {
public:
    explicit DragSource(QList<std::pair<QString, QByteArray>> offer) : offer(std::move(offer)) {}

protected:
    void mousePressEvent(QMouseEvent *) override
    {
        auto *data = new QMimeData;
        for (const auto &[type, bytes] : offer)
            data->setData(type, bytes);
        auto *drag = new QDrag(this);
        drag->setMimeData(data);
        drag->exec(Qt::CopyAction);
    }

private:
    QList<std::pair<QString, QByteArray>> offer;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QList<std::pair<QString, QByteArray>> offer;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        QFile file(args[i + 1]);
        if (!file.open(QIODevice::ReadOnly))
            return 2;
        offer.append({args[i], file.readAll()});
    }
    DragSource window(offer);
    window.setWindowTitle(QStringLiteral("Drag source"));
    window.setGeometry(1000, 100, 200, 200);
    window.show();
    return app.exec();
}
