#include "demo/DemoPictures.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace zqvr::demo {

QByteArray picture(PictureShape shape, const QColor& background, const QColor& foreground,
                   int width, int height)
{
    const int w = qBound(8, width, 60);
    const int h = qBound(8, height, 60);
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(background);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(foreground.darker(140), 1.5));
        p.setBrush(foreground);
        const QRectF r(w * 0.18, h * 0.18, w * 0.64, h * 0.64);
        switch (shape) {
        case PictureShape::Round:
            p.drawEllipse(r);
            break;
        case PictureShape::Square:
            p.drawRoundedRect(r, 4, 4);
            break;
        case PictureShape::Bottle: {
            QPainterPath path;
            path.addRoundedRect(QRectF(w * 0.36, h * 0.30, w * 0.28, h * 0.56), 3, 3);
            path.addRect(QRectF(w * 0.44, h * 0.12, w * 0.12, h * 0.20));
            p.drawPath(path.simplified());
            break;
        }
        case PictureShape::Bar:
            p.drawRect(QRectF(w * 0.10, h * 0.38, w * 0.80, h * 0.24));
            break;
        case PictureShape::Table:
            p.drawEllipse(QRectF(w * 0.25, h * 0.25, w * 0.50, h * 0.50));
            p.setBrush(foreground.lighter(130));
            for (int i = 0; i < 4; ++i) {
                const double cx = (i % 2 == 0) ? w * 0.5 : (i == 1 ? w * 0.86 : w * 0.14);
                const double cy = (i % 2 == 1) ? h * 0.5 : (i == 0 ? h * 0.14 : h * 0.86);
                p.drawEllipse(QPointF(cx, cy), w * 0.09, h * 0.09);
            }
            break;
        case PictureShape::Plant:
            p.drawEllipse(QRectF(w * 0.22, h * 0.12, w * 0.56, h * 0.50));
            p.setBrush(QColor(150, 90, 40));
            p.drawRect(QRectF(w * 0.38, h * 0.60, w * 0.24, h * 0.28));
            break;
        }
        // A highlight, so that pictures read as objects rather than flat blobs.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 90));
        p.drawEllipse(QRectF(w * 0.30, h * 0.24, w * 0.16, h * 0.12));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return bytes;
}

} // namespace zqvr::demo
