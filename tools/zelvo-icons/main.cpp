// zelvo-icons OUTDIR: paints the tray pictures, the window icon and the two bitmaps as PNG files.
// Run it by hand after changing a drawing and commit the result under resources/icons/; the build
// itself only embeds the PNGs, so it needs no display.
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>

namespace {

enum class Badge { None, Off, NotAssociated, Authenticating };

struct TrayPicture {
    int id;
    QColor accent;  // colour of the lit signal bands
    int level;      // 0..4 lit bands
    Badge badge;
};

const QColor kGeneral(0xF6, 0xF5, 0xF4);
const QColor kExtended(0x99, 0xC1, 0xF1);
const QColor kVela(0x8F, 0xF0, 0xA4);
const QColor kOutline(0x24, 0x1F, 0x31, 220);
const QColor kDim(0x9A, 0x99, 0x96, 120);

// One band of the signal fan: a ring sector of the quarter circle that opens upwards.
QPainterPath Band(QPointF apex, double inner, double outer) {
    QPainterPath path;
    const double start = 45.0, span = 90.0;
    if (inner <= 0.0) {
        path.moveTo(apex);
    } else {
        QRectF in(apex.x() - inner, apex.y() - inner, 2 * inner, 2 * inner);
        path.arcMoveTo(in, start);
        path.arcTo(in, start, span);
    }
    QRectF out(apex.x() - outer, apex.y() - outer, 2 * outer, 2 * outer);
    if (inner <= 0.0) {
        path.arcTo(out, start + span, -span);
    } else {
        path.arcTo(out, start + span, -span);
    }
    path.closeSubpath();
    return path;
}

void PaintFan(QPainter& p, double size, QRectF box, const QColor& accent, int level, bool dimAll, bool outlined = true) {
    const QPointF apex(box.center().x(), box.top() + box.height() * 0.90);
    const double outer = box.height() * 0.84;
    const double gap = std::max(1.0, size / 16.0);
    const double width = (outer - 3 * gap) / 4.0;
    const double pen = std::max(1.0, size / 16.0);
    for (int band = 0; band < 4; ++band) {
        double inner = band == 0 ? 0.0 : band * (width + gap);
        QPainterPath path = Band(apex, inner, inner + width + (band == 0 ? gap * 0.5 : 0.0));
        bool lit = !dimAll && band < level;
        if (lit) {
            if (outlined)
                p.setPen(QPen(kOutline, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            else
                p.setPen(Qt::NoPen);
            p.setBrush(accent);
        } else {
            p.setPen(Qt::NoPen);
            p.setBrush(kDim);
        }
        p.drawPath(path);
    }
}

void PaintBadge(QPainter& p, double size, Badge badge) {
    if (badge == Badge::None) return;
    const double d = size * 0.56;
    QRectF circle(size - d - 0.5, size - d - 0.5, d, d);
    QColor fill = badge == Badge::Off ? QColor(0xE0, 0x1B, 0x24) : badge == Badge::NotAssociated ? QColor(0x5E, 0x5C, 0x64) : QColor(0xE5, 0xA5, 0x0A);
    p.setPen(QPen(QColor(255, 255, 255, 230), std::max(1.0, size / 22.0)));
    p.setBrush(fill);
    p.drawEllipse(circle);
    const QPointF c = circle.center();
    const double r = d * 0.24;
    const double stroke = std::max(1.4, size / 11.0);
    p.setPen(QPen(Qt::white, stroke, Qt::SolidLine, Qt::RoundCap));
    if (badge == Badge::Off) {
        p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    } else if (badge == Badge::NotAssociated) {
        p.drawLine(QPointF(c.x() - r, c.y() - r), QPointF(c.x() + r, c.y() + r));
        p.drawLine(QPointF(c.x() - r, c.y() + r), QPointF(c.x() + r, c.y() - r));
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        const double dot = std::max(1.2, d * 0.16);
        for (int i = -1; i <= 1; ++i) p.drawEllipse(QPointF(c.x() + i * d * 0.26, c.y()), dot / 2 * 1.3, dot / 2 * 1.3);
    }
}

QImage Canvas(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage Tray(const TrayPicture& t, int size) {
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // With a badge the fan keeps the full square; the badge sits over its lower right corner.
    PaintFan(p, size, QRectF(0, 0, size, size), t.accent, t.level, t.badge == Badge::Off || t.badge == Badge::NotAssociated);
    PaintBadge(p, size, t.badge);
    return image;
}

QImage AppIcon(int size) {
    QImage image = Canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double m = size / 16.0;
    QRectF r(m * 0.5, m * 0.5, size - m, size - m);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(0x62, 0xA0, 0xEA));
    g.setColorAt(1, QColor(0x1C, 0x71, 0xD8));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(r, size * 0.22, size * 0.22);
    QRectF inner = r.adjusted(size * 0.14, size * 0.16, -size * 0.14, -size * 0.10);
    PaintFan(p, size * 0.7, inner, Qt::white, 4, false, false);
    return image;
}

QImage Banner() {
    QImage image = Canvas(160, 32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(0, 0, AppIcon(32));
    QFont font("DejaVu Sans");
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x1C, 0x71, 0xD8));
    p.drawText(QRectF(40, 0, 120, 32), Qt::AlignVCenter | Qt::AlignLeft, "Zelvo");
    return image;
}

bool Save(const QImage& image, const QString& path) {
    if (image.save(path, "PNG")) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zelvo-icons OUTDIR\n");
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(".")) return 1;
    const TrayPicture pictures[] = {
        {8052, kGeneral, 0, Badge::Off},          {8053, kGeneral, 0, Badge::NotAssociated},
        {8054, kGeneral, 2, Badge::Authenticating}, {8055, kGeneral, 1, Badge::None},
        {8056, kGeneral, 2, Badge::None},         {8057, kGeneral, 3, Badge::None},
        {8058, kGeneral, 4, Badge::None},         {8060, kExtended, 1, Badge::None},
        {8061, kExtended, 0, Badge::Off},         {8062, kExtended, 4, Badge::None},
        {8063, kExtended, 2, Badge::None},        {8064, kExtended, 3, Badge::None},
        {8065, kExtended, 2, Badge::Authenticating}, {8066, kExtended, 0, Badge::NotAssociated},
        {8067, kVela, 1, Badge::None},            {8068, kVela, 2, Badge::Authenticating},
        {8069, kVela, 4, Badge::None},            {8070, kVela, 2, Badge::None},
        {8071, kVela, 3, Badge::None},            {8072, kVela, 0, Badge::NotAssociated},
        {8073, kVela, 0, Badge::Off},
    };
    bool ok = true;
    for (const TrayPicture& t : pictures)
        for (int size : {16, 22, 32}) ok = Save(Tray(t, size), dir.filePath(QString("tray-%1-%2.png").arg(t.id).arg(size))) && ok;
    for (int size : {16, 22, 32, 48}) ok = Save(AppIcon(size), dir.filePath(QString("window-%1.png").arg(size))) && ok;
    ok = Save(AppIcon(48), dir.filePath("logo-199.png")) && ok;
    ok = Save(Banner(), dir.filePath("banner-8001.png")) && ok;
    return ok ? 0 : 1;
}
