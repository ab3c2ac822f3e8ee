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
#include <functional>

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
const QColor kDim(0x9A, 0x99, 0x96, 165);

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
    // The innermost wedge is wider than the rings so a weak signal still reads at 16 pixels.
    const double width = (outer - 3 * gap) / 4.6;
    const double first = 1.6 * width;
    const double pen = std::max(1.0, size / 16.0);
    for (int band = 0; band < 4; ++band) {
        double inner = band == 0 ? 0.0 : first + gap + (band - 1) * (width + gap);
        QPainterPath path = Band(apex, inner, inner + (band == 0 ? first : width));
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
    QColor fill = badge == Badge::Off ? QColor(0xE0, 0x1B, 0x24) : badge == Badge::NotAssociated ? QColor(0x3D, 0x38, 0x46) : QColor(0xE5, 0xA5, 0x0A);
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

// --- the program's list pictures (16 by 16) ---

const QColor kInk(0x3D, 0x38, 0x46);
const QColor kBlue(0x1C, 0x71, 0xD8);
const QColor kGreen(0x26, 0xA2, 0x69);

QImage ListIcon(const std::function<void(QPainter&)>& paint) {
    QImage image = Canvas(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paint(p);
    return image;
}

void Circle(QPainter& p) {
    p.setPen(QPen(kBlue, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(0.8, 0.8, 14.4, 14.4));
}

// An adapter card: a slim card with its antenna bump, drawn in the lower half.
void Card(QPainter& p, QRectF box) {
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(QColor(0xDE, 0xDD, 0xDA));
    p.drawRoundedRect(box, 1.2, 1.2);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC6, 0x46, 0x00));
    p.drawRect(QRectF(box.left() + 1.5, box.top() + 1.5, 2.5, box.height() - 3));
}

void AccessPoint(QPainter& p, QRectF box) {
    p.setPen(QPen(kInk, 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(box.left() + 2.5, box.top()), QPointF(box.left() + 2.5, box.top() + 4));
    p.drawLine(QPointF(box.right() - 2.5, box.top()), QPointF(box.right() - 2.5, box.top() + 4));
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(QColor(0xF6, 0xF5, 0xF4));
    p.drawRoundedRect(QRectF(box.left(), box.top() + 4, box.width(), box.height() - 4), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(box.left() + 3 + i * 2.5, box.bottom() - 2.5), 0.8, 0.8);
}

void SmallFan(QPainter& p, QPointF apex, double radius, const QColor& colour) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, 1.3, Qt::SolidLine, Qt::RoundCap));
    for (int i = 1; i <= 2; ++i) {
        double r = radius * i / 2.0;
        p.drawArc(QRectF(apex.x() - r, apex.y() - r, 2 * r, 2 * r), 45 * 16, 90 * 16);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(apex, 1.0, 1.0);
}

void Padlock(QPainter& p) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kInk, 1.5));
    p.drawArc(QRectF(4.5, 2, 7, 8), 0, 180 * 16);
    p.drawLine(QPointF(4.5, 6), QPointF(4.5, 8));
    p.drawLine(QPointF(11.5, 6), QPointF(11.5, 8));
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(QColor(0xE5, 0xA5, 0x0A));
    p.drawRoundedRect(QRectF(3, 7.5, 10, 7), 1.5, 1.5);
}

void Key(QPainter& p) {
    p.setPen(QPen(kInk, 1.0));
    p.setBrush(QColor(0xE5, 0xA5, 0x0A));
    p.drawEllipse(QRectF(1.5, 5, 6, 6));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xE5, 0xA5, 0x0A).darker(150), 2.0, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(7.5, 8), QPointF(14.5, 8));
    p.drawLine(QPointF(12.5, 8), QPointF(12.5, 11));
    p.drawLine(QPointF(14, 8), QPointF(14, 10.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(4.0, 8), 1.0, 1.0);
}

void LetterTile(QPainter& p, const QColor& fill, const QString& text) {
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1, 2, 14, 12), 2.5, 2.5);
    QFont font("DejaVu Sans");
    font.setPixelSize(text.size() > 1 ? 8 : 10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(1, 2, 14, 12), Qt::AlignCenter, text);
}

QImage Arrow(double angle) {
    QImage image = Canvas(16, 16);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(8, 8);
    p.rotate(angle);
    QPainterPath path;  // pointing right
    path.moveTo(-5, -1.5);
    path.lineTo(1, -1.5);
    path.lineTo(1, -5);
    path.lineTo(6, 0);
    path.lineTo(1, 5);
    path.lineTo(1, 1.5);
    path.lineTo(-5, 1.5);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPath(path);
    return image;
}

// A badge naming the bands and modes the adapter supports, as the Connection Status dialog shows.
QImage BandBadge(const QString& bands, bool vela, bool qx) {
    QImage image = Canvas(96, 28);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(vela ? QColor(0x26, 0xA2, 0x69) : kBlue);
    p.drawRoundedRect(QRectF(0.5, 0.5, 95, 27), 6, 6);
    QFont font("DejaVu Sans");
    font.setBold(true);
    font.setPixelSize(12);
    p.setFont(font);
    p.setPen(Qt::white);
    QString text = (vela ? QStringLiteral("Vela ") : QString()) + bands;
    QRectF area(4, 0, qx ? 62 : 88, 28);
    p.drawText(area, Qt::AlignCenter, text);
    if (qx) {
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(66, 6, 26, 16), 4, 4);
        font.setPixelSize(10);
        p.setFont(font);
        p.setPen(vela ? QColor(0x26, 0xA2, 0x69) : kBlue);
        p.drawText(QRectF(66, 6, 26, 16), Qt::AlignCenter, "QX");
    }
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

    // The program's list pictures; 152, 156, 160 and 164 are deliberately empty cells.
    const struct {
        int id;
        std::function<void(QPainter&)> paint;
    } listIcons[] = {
        {151, [](QPainter& p) { Card(p, QRectF(1.5, 8.5, 13, 5)); }},
        {152, [](QPainter&) {}},
        {153, [](QPainter& p) { Circle(p); Card(p, QRectF(3.5, 6.5, 9, 4)); }},
        {154, [](QPainter& p) { Card(p, QRectF(1.5, 10.5, 13, 4.5)); SmallFan(p, QPointF(8, 9), 8, kGreen); }},
        {155, [](QPainter& p) { AccessPoint(p, QRectF(2.5, 3.5, 11, 10)); }},
        {156, [](QPainter&) {}},
        {157, [](QPainter& p) { Circle(p); AccessPoint(p, QRectF(4.5, 4, 7, 7.5)); }},
        {158, [](QPainter& p) { Card(p, QRectF(1.5, 10.5, 13, 4.5)); SmallFan(p, QPointF(8, 9), 8, kGreen); }},
        {160, [](QPainter&) {}},
        {161, [](QPainter& p) { LetterTile(p, kGreen, "V"); }},
        {162, [](QPainter& p) { Padlock(p); }},
        {164, [](QPainter&) {}},
        {165, [](QPainter& p) { LetterTile(p, kBlue, "QX"); }},
        {1174, [](QPainter& p) { Key(p); }},
    };
    for (const auto& icon : listIcons) ok = Save(ListIcon(icon.paint), dir.filePath(QString("list-%1.png").arg(icon.id))) && ok;
    ok = Save(Canvas(16, 16), dir.filePath("bitmap-166.png")) && ok;
    ok = Save(Arrow(-90), dir.filePath("arrow-191.png")) && ok;  // up
    ok = Save(Arrow(180), dir.filePath("arrow-193.png")) && ok;  // left
    ok = Save(Arrow(0), dir.filePath("arrow-194.png")) && ok;    // right
    ok = Save(Arrow(90), dir.filePath("arrow-197.png")) && ok;   // down
    const struct {
        int id;
        const char* bands;
        bool vela, qx;
    } badges[] = {
        {167, "A", false, false},   {168, "A", false, true},    {169, "A/B/G", false, false}, {170, "A/G", false, true},
        {171, "G", false, false},   {172, "G", false, true},    {173, "A", true, false},      {174, "A", true, true},
        {175, "A/G", true, false},  {176, "A/G", true, true},   {177, "G", true, false},      {178, "G", true, true},
    };
    for (const auto& b : badges) ok = Save(BandBadge(b.bands, b.vela, b.qx), dir.filePath(QString("badge-%1.png").arg(b.id))) && ok;
    ok = Save(Banner(), dir.filePath("banner-8001.png")) && ok;
    return ok ? 0 : 1;
}
