// Draws the program's compiled-in pictures: the indicator images of every theme and the
// shared message, button, tray and record-state images.
//
// usage: resgen <themes file> <output folder>
// The themes file has one theme per line: name|Text|Panel|Border|NormalStart|NormalEnd|
// DarkStart|DarkEnd|High|frame border. Images go to <output>/qss/<name>/ and <output>/image/.

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Theme
{
    QString name;
    QColor text, panel, border, normalStart, normalEnd, darkStart, darkEnd, high, frame;
};

QColor mix(const QColor &from, const QColor &to, qreal amount)
{
    auto channel = [amount](int a, int b) { return qRound(a + (b - a) * amount); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()), channel(from.alpha(), to.alpha()));
}

qreal luminance(const QColor &c)
{
    return (0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue()) / 255.0;
}

bool isDark(const Theme &theme)
{
    return luminance(theme.panel) < 0.5;
}

// Colours of one indicator, normal or disabled.
struct IndicatorColours
{
    QColor edge, fill, accent, mark, arrow;
};

IndicatorColours indicatorColours(const Theme &theme, bool disabled)
{
    IndicatorColours c;
    c.edge = mix(theme.panel, theme.text, 0.55);
    c.fill = isDark(theme) ? mix(theme.panel, Qt::black, 0.25) : mix(theme.panel, Qt::white, 0.7);
    c.accent = theme.high;
    // A light highlight (cyan) needs a dark mark to stay readable.
    c.mark = luminance(theme.high) > 0.6 ? QColor("#1E2A32") : QColor(Qt::white);
    c.arrow = theme.text;
    if (disabled) {
        for (QColor *colour : {&c.edge, &c.accent, &c.mark, &c.arrow})
            *colour = mix(*colour, theme.panel, 0.55);
        c.fill = mix(c.fill, theme.panel, 0.5);
    }
    return c;
}

using Painter = std::function<void(QPainter &)>;

QImage draw(int size, const Painter &paint)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    paint(painter);
    painter.end();
    return image;
}

QPen roundPen(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void polyline(QPainter &p, const QColor &colour, qreal width, const std::vector<QPointF> &points)
{
    p.setPen(roundPen(colour, width));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points.data(), int(points.size()));
}

void polygon(QPainter &p, const QColor &colour, const std::vector<QPointF> &points)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(points.data(), int(points.size()));
}

// Check boxes: a rounded 14 px box in the middle of the 20 px image.
enum class Check
{
    Off,
    On,
    Partial
};

Painter checkBox(const IndicatorColours &c, Check state)
{
    return [c, state](QPainter &p) {
        const QRectF box(3.5, 3.5, 13, 13);
        if (state == Check::Off) {
            p.setPen(QPen(c.edge, 1));
            p.setBrush(c.fill);
            p.drawRoundedRect(box, 3, 3);
            return;
        }
        p.setPen(QPen(c.accent, 1));
        p.setBrush(c.accent);
        p.drawRoundedRect(box, 3, 3);
        if (state == Check::On)
            polyline(p, c.mark, 2, {{6.5, 10.2}, {9, 12.7}, {13.7, 7.5}});
        else
            polyline(p, c.mark, 2, {{6.5, 10}, {13.5, 10}});
    };
}

Painter radioButton(const IndicatorColours &c, bool checked)
{
    return [c, checked](QPainter &p) {
        p.setPen(QPen(checked ? c.accent : c.edge, checked ? 1.5 : 1));
        p.setBrush(c.fill);
        p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
        if (checked) {
            p.setPen(Qt::NoPen);
            p.setBrush(c.accent);
            p.drawEllipse(QPointF(10, 10), 3.5, 3.5);
        }
    };
}

// Chevrons for arrows and the calendar's month buttons, pointing by quarter turns.
Painter chevron(const QColor &colour, int quarterTurns, qreal width)
{
    return [colour, quarterTurns, width](QPainter &p) {
        p.translate(10, 10);
        p.rotate(90 * quarterTurns);
        // pointing down before the turn
        polyline(p, colour, width, {{-4, -2}, {0, 2}, {4, -2}});
    };
}

Painter triangle(const QColor &colour, bool open)
{
    return [colour, open](QPainter &p) {
        if (open)
            polygon(p, colour, {{5.5, 7.5}, {14.5, 7.5}, {10, 13}});
        else
            polygon(p, colour, {{7.5, 5.5}, {13, 10}, {7.5, 14.5}});
    };
}

QFont boldFont(int pixelSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    return font;
}

// Record states: a disc inside a pale ring, optionally with a digit, 32x32.
Painter stateDot(const QColor &ring, const QColor &disc, const QString &digit)
{
    return [ring, disc, digit](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(ring);
        p.drawEllipse(QPointF(16, 16), 15, 15);
        p.setBrush(disc);
        p.drawEllipse(QPointF(16, 16), 11, 11);
        if (digit.isEmpty())
            return;
        p.setPen(Qt::white);
        p.setFont(boldFont(15));
        p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, digit);
    };
}

// Message icons (30x30, the size of the box's icon label, so they are never scaled).
Painter messageIcon(const QColor &disc, const std::function<void(QPainter &)> &sign)
{
    return [disc, sign](QPainter &p) {
        p.setPen(Qt::NoPen);
        p.setBrush(disc);
        p.drawEllipse(QPointF(15, 15), 14, 14);
        sign(p);
    };
}

void infoSign(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(15, 8.5), 2.2, 2.2);
    p.drawRoundedRect(QRectF(13.2, 12.5, 3.6, 11), 1.5, 1.5);
}

void questionSign(QPainter &p)
{
    p.setPen(Qt::white);
    p.setFont(boldFont(20));
    p.drawText(QRectF(0, 0, 30, 30), Qt::AlignCenter, QStringLiteral("?"));
}

void errorSign(QPainter &p)
{
    polyline(p, Qt::white, 3, {{10, 10}, {20, 20}});
    polyline(p, Qt::white, 3, {{20, 10}, {10, 20}});
}

// Tray icon: the front of a train on a blue tile.
void trayIcon(QPainter &p)
{
    const QColor blue("#1B6FB5");
    p.setPen(Qt::NoPen);
    p.setBrush(blue);
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(16, 9, 32, 38), 9, 9);
    p.setBrush(blue);
    p.drawRoundedRect(QRectF(21, 15, 22, 13), 3, 3);
    p.drawEllipse(QPointF(24, 38), 3, 3);
    p.drawEllipse(QPointF(40, 38), 3, 3);
    polyline(p, Qt::white, 3.5, {{22, 48}, {16, 56}});
    polyline(p, Qt::white, 3.5, {{42, 48}, {48, 56}});
    polyline(p, Qt::white, 2.5, {{19, 53}, {45, 53}});
}

class Writer
{
public:
    explicit Writer(const QString &root) : m_root(root) {}

    void save(const QString &folder, const QString &name, int size, const Painter &paint)
    {
        const QString dir = m_root + QLatin1Char('/') + folder;
        if (!QDir().mkpath(dir)) {
            fail(dir + QStringLiteral(": cannot create the folder"));
            return;
        }
        const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!draw(size, paint).save(path, "PNG"))
            fail(path + QStringLiteral(": cannot write the image"));
    }

    void fail(const QString &message)
    {
        std::fprintf(stderr, "resgen: %s\n", qPrintable(message));
        m_failed = true;
    }
    bool failed() const { return m_failed; }

private:
    QString m_root;
    bool m_failed = false;
};

void writeThemeImages(Writer &out, const Theme &theme)
{
    const QString folder = QStringLiteral("qss/") + theme.name;
    const IndicatorColours on = indicatorColours(theme, false);
    const IndicatorColours off = indicatorColours(theme, true);
    const auto save = [&](const char *name, const Painter &paint) {
        out.save(folder, QLatin1String(name), 20, paint);
    };
    save("add_bottom", chevron(on.arrow, 0, 1.8));
    save("add_left", chevron(on.arrow, 1, 1.8));
    save("add_top", chevron(on.arrow, 2, 1.8));
    save("add_right", chevron(on.arrow, 3, 1.8));
    save("branch_close", triangle(mix(on.arrow, theme.panel, 0.2), false));
    save("branch_open", triangle(mix(on.arrow, theme.panel, 0.2), true));
    save("calendar_prevmonth", chevron(on.arrow, 1, 2.2));
    save("calendar_nextmonth", chevron(on.arrow, 3, 2.2));
    save("checkbox_checked", checkBox(on, Check::On));
    save("checkbox_checked_disable", checkBox(off, Check::On));
    save("checkbox_parcial", checkBox(on, Check::Partial));
    save("checkbox_parcial_disable", checkBox(off, Check::Partial));
    save("checkbox_unchecked", checkBox(on, Check::Off));
    save("checkbox_unchecked_disable", checkBox(off, Check::Off));
    save("radiobutton_checked", radioButton(on, true));
    save("radiobutton_checked_disable", radioButton(off, true));
    save("radiobutton_unchecked", radioButton(on, false));
    save("radiobutton_unchecked_disable", radioButton(off, false));
}

void writeSharedImages(Writer &out)
{
    const QString folder = QStringLiteral("image");
    out.save(folder, QStringLiteral("msg_info"), 30, messageIcon(QColor("#2D8CF0"), infoSign));
    out.save(folder, QStringLiteral("msg_question"), 30,
             messageIcon(QColor("#F29D1F"), questionSign));
    out.save(folder, QStringLiteral("msg_error"), 30, messageIcon(QColor("#E5484D"), errorSign));
    out.save(folder, QStringLiteral("btn_ok"), 32, [](QPainter &p) {
        polyline(p, QColor("#22944A"), 4, {{7, 17}, {13, 23}, {25, 10}});
    });
    out.save(folder, QStringLiteral("btn_close"), 32, [](QPainter &p) {
        polyline(p, QColor("#D81E06"), 4, {{9, 9}, {23, 23}});
        polyline(p, QColor("#D81E06"), 4, {{23, 9}, {9, 23}});
    });
    out.save(folder, QStringLiteral("icon1"), 64, trayIcon);

    out.save(folder, QStringLiteral("ok"), 32, stateDot(QColor("#B9DCC6"), QColor("#22944A"), {}));
    out.save(folder, QStringLiteral("normal"), 32,
             stateDot(QColor("#CDCDCD"), QColor("#8A8A8A"), {}));
    out.save(folder, QStringLiteral("error"), 32,
             stateDot(QColor("#E68376"), QColor("#D81E06"), {}));
    for (int n = 1; n <= 8; ++n) {
        const QString digit = QString::number(n);
        out.save(folder, digit + QStringLiteral("_ok"), 32,
                 stateDot(QColor("#D1E5D2"), QColor("#4CAF50"), digit));
        out.save(folder, digit + QStringLiteral("_normal"), 32,
                 stateDot(QColor("#DBDBDB"), QColor("#8A8A8A"), digit));
    }
}

bool readThemes(const QString &path, std::vector<Theme> &themes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(QLatin1Char('|'));
        if (fields.size() != 10)
            return false;
        Theme t;
        t.name = fields.at(0);
        QColor *colours[] = {&t.text,      &t.panel,   &t.border, &t.normalStart, &t.normalEnd,
                             &t.darkStart, &t.darkEnd, &t.high,   &t.frame};
        for (int i = 0; i < 9; ++i) {
            *colours[i] = QColor(fields.at(i + 1));
            if (!colours[i]->isValid())
                return false;
        }
        themes.push_back(t);
    }
    return !themes.empty();
}

} // namespace

int main(int argc, char *argv[])
{
    // Fonts are needed for the digits; no display is.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: resgen <themes file> <output folder>\n");
        return 2;
    }
    std::vector<Theme> themes;
    if (!readThemes(QString::fromLocal8Bit(argv[1]), themes)) {
        std::fprintf(stderr, "resgen: %s: unreadable or malformed theme table\n", argv[1]);
        return 1;
    }
    Writer out(QString::fromLocal8Bit(argv[2]));
    for (const Theme &theme : themes)
        writeThemeImages(out, theme);
    writeSharedImages(out);
    return out.failed() ? 1 : 0;
}
