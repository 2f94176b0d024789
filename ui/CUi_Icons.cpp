#include "ui/CUi_Icons.h"

#include "ui/CUi_Commands.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <functional>

namespace
{
// Colours of the drawings.
const QColor s_ink(40, 48, 64);
const QColor s_paper(250, 250, 245);
const QColor s_blue(40, 100, 190);
const QColor s_green(30, 140, 60);
const QColor s_red(200, 40, 40);
const QColor s_yellow(235, 190, 70);

using CDraw = std::function<void(QPainter&)>;

QPen Pen(const QColor& colour, qreal rWidth = 2.0)
{
    return QPen(colour, rWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter& p)
{
    QPainterPath path;
    path.moveTo(7, 3);
    path.lineTo(20, 3);
    path.lineTo(26, 9);
    path.lineTo(26, 29);
    path.lineTo(7, 29);
    path.closeSubpath();
    p.setPen(Pen(s_ink));
    p.setBrush(s_paper);
    p.drawPath(path);
    p.drawPolyline(QPolygonF({QPointF(20, 3), QPointF(20, 9), QPointF(26, 9)}));
}

void Telephone(QPainter& p, const QRectF& r)
{
    // Body, handset and keypad of a desk telephone.
    p.setPen(Pen(s_ink));
    p.setBrush(s_paper);
    p.drawRoundedRect(r.adjusted(0, r.height() * 0.35, 0, 0), 2, 2);
    p.setBrush(s_ink);
    p.drawRoundedRect(QRectF(r.left(), r.top(), r.width(), r.height() * 0.28), 3, 3);
    p.setPen(Qt::NoPen);
    const qreal rKey = r.width() / 9;
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            p.drawRect(QRectF(r.left() + r.width() * 0.25 + x * 2 * rKey,
                              r.top() + r.height() * 0.5 + y * 2 * rKey, rKey, rKey));
}

void Book(QPainter& p, const QRectF& r)
{
    p.setPen(Pen(s_ink));
    p.setBrush(s_blue);
    p.drawRoundedRect(r, 1.5, 1.5);
    p.setPen(Pen(s_paper, 1.5));
    p.drawLine(QPointF(r.left() + 3, r.top() + 2), QPointF(r.left() + 3, r.bottom() - 2));
    p.drawLine(QPointF(r.left() + 6, r.top() + r.height() * 0.3),
               QPointF(r.right() - 3, r.top() + r.height() * 0.3));
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour)
{
    p.setPen(Pen(colour, 3));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    p.setBrush(colour);
    p.setPen(Pen(colour, 1));
    p.drawPolygon(QPolygonF({to + d * 2, to - d * 5 + n * 4, to - d * 5 - n * 4}));
}

void Folder(QPainter& p)
{
    p.setPen(Pen(s_ink));
    p.setBrush(s_yellow);
    QPainterPath path;
    path.moveTo(3, 9);
    path.lineTo(11, 9);
    path.lineTo(14, 12);
    path.lineTo(28, 12);
    path.lineTo(28, 27);
    path.lineTo(3, 27);
    path.closeSubpath();
    p.drawPath(path);
    p.setBrush(s_yellow.lighter(115));
    p.drawPolygon(QPolygonF({QPointF(6, 16), QPointF(31, 16), QPointF(28, 27), QPointF(3, 27)}));
}

void Disk(QPainter& p)
{
    p.setPen(Pen(s_ink));
    p.setBrush(s_blue);
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setBrush(s_paper);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(s_ink);
    p.drawRect(QRectF(10, 18, 12, 10));
}

void Printer(QPainter& p)
{
    p.setPen(Pen(s_ink));
    p.setBrush(s_paper);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(160, 165, 175));
    p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
    p.setBrush(s_paper);
    p.drawRect(QRectF(9, 19, 14, 10));
}

void Pencil(QPainter& p)
{
    p.setPen(Pen(s_ink));
    p.setBrush(s_yellow);
    p.drawPolygon(QPolygonF({QPointF(23, 4), QPointF(28, 9), QPointF(12, 25), QPointF(7, 20)}));
    p.setBrush(s_ink);
    p.drawPolygon(QPolygonF({QPointF(7, 20), QPointF(12, 25), QPointF(4, 28)}));
}

void Cross(QPainter& p)
{
    p.setPen(Pen(s_red, 4));
    p.drawLine(QPointF(8, 8), QPointF(24, 24));
    p.drawLine(QPointF(24, 8), QPointF(8, 24));
}

void Magnifier(QPainter& p)
{
    p.setPen(Pen(s_ink, 3));
    p.setBrush(s_paper);
    p.drawEllipse(QRectF(4, 4, 16, 16));
    p.drawLine(QPointF(18, 18), QPointF(28, 28));
}

void Letter(QPainter& p, const QString& text, const QColor& colour)
{
    p.setPen(Pen(colour));
    p.setBrush(s_paper);
    p.drawEllipse(QRectF(3, 3, 26, 26));
    QFont font = p.font();
    font.setPixelSize(20);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, text);
}

struct CIconRow
{
    unsigned nCommand;
    CDraw draw;
};

const std::vector<CIconRow>& Rows()
{
    static const std::vector<CIconRow> s_rows = {
        {ID_FILE_NEW, [](QPainter& p) { Page(p); }},
        {ID_FILE_OPEN, [](QPainter& p) { Folder(p); }},
        {ID_FILE_SAVE, [](QPainter& p) { Disk(p); }},
        {ID_FILE_RX_CFG,
         [](QPainter& p)
         {
             Telephone(p, QRectF(2, 3, 18, 18));
             Arrow(p, QPointF(18, 20), QPointF(27, 29), s_green);
         }},
        {ID_FILE_TX_CFG,
         [](QPainter& p)
         {
             Telephone(p, QRectF(12, 3, 18, 18));
             Arrow(p, QPointF(3, 29), QPointF(12, 20), s_red);
         }},
        {ID_FILE_RX_DIALNAME,
         [](QPainter& p)
         {
             Book(p, QRectF(3, 2, 15, 20));
             Arrow(p, QPointF(18, 20), QPointF(27, 29), s_green);
         }},
        {ID_FILE_TX_DIALNAME,
         [](QPainter& p)
         {
             Book(p, QRectF(14, 2, 15, 20));
             Arrow(p, QPointF(3, 29), QPointF(12, 20), s_red);
         }},
        {ID_DIALNAME_NEW,
         [](QPainter& p)
         {
             Book(p, QRectF(3, 3, 18, 24));
             p.setPen(Pen(s_green, 3.5));
             p.drawLine(QPointF(25, 16), QPointF(25, 28));
             p.drawLine(QPointF(19, 22), QPointF(31, 22));
         }},
        {ID_DIALNAME_EDIT, [](QPainter& p) { Pencil(p); }},
        {ID_DIALNAME_DELETE, [](QPainter& p) { Cross(p); }},
        {ID_DIALNAME_FIND, [](QPainter& p) { Magnifier(p); }},
        {ID_FILE_PRINT, [](QPainter& p) { Printer(p); }},
        {ID_APP_ABOUT, [](QPainter& p) { Letter(p, QStringLiteral("i"), s_blue); }},
        {ID_CONTEXT_HELP, [](QPainter& p) { Letter(p, QStringLiteral("?"), s_blue); }},
        {ID_HELP_FINDER, [](QPainter& p) { Letter(p, QStringLiteral("?"), s_green); }},
    };
    return s_rows;
}

// The sizes each picture is drawn in; other sizes are scaled from the nearest.
const int s_anSizes[] = {16, 24, 32, 48, 64};

QIcon Draw(const CDraw& draw)
{
    QIcon icon;
    for (int nSize : s_anSizes)
    {
        QPixmap pixmap(nSize, nSize);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(nSize / 32.0, nSize / 32.0);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

// Draws its picture when it is first painted, not when the program starts: a window's toolbar
// and menus need the pictures only when they are painted, after the window is shown. Drawn, it
// is the same icon as one drawn at once.
class CLazyIconEngine : public QIconEngine
{
public:
    explicit CLazyIconEngine(CDraw draw) : m_draw(std::move(draw)) {}

    void paint(QPainter* pPainter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Drawn().paint(pPainter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Drawn().pixmap(size, 1.0, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Drawn().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        // The drawn sizes, known without drawing (a window's icon asks for them when it is made).
        QList<QSize> sizes;
        if (mode == QIcon::Normal && state == QIcon::Off)
            for (int nSize : s_anSizes)
                sizes.append(QSize(nSize, nSize));
        return sizes;
    }
    bool isNull() override { return false; }
    QIconEngine* clone() const override { return new CLazyIconEngine(*this); }

private:
    const QIcon& Drawn()
    {
        if (m_icon.isNull())
            m_icon = Draw(m_draw);
        return m_icon;
    }

    CDraw m_draw;
    QIcon m_icon;
};

QIcon Lazy(CDraw draw)
{
    return QIcon(new CLazyIconEngine(std::move(draw)));
}
} // namespace

QIcon CUi_Icons::Icon(unsigned nCommand)
{
    for (const CIconRow& row : Rows())
        if (row.nCommand == nCommand)
            return Lazy(row.draw);
    return QIcon();
}

QIcon CUi_Icons::ProgramIcon()
{
    return Lazy([](QPainter& p) { Telephone(p, QRectF(3, 4, 26, 24)); });
}
