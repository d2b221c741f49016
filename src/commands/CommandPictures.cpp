#include "commands/CommandPictures.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>
#include <numbers>

// Every picture is drawn on a 16 x 16 grid and scaled, so it stays sharp at
// any size the toolbar or the menus ask for.
namespace {

const QColor kInk(64, 64, 72);
const QColor kPaper(255, 255, 255);
const QColor kPaperShade(214, 218, 226);
const QColor kBlue(46, 110, 190);
const QColor kLightBlue(150, 196, 240);
const QColor kGreen(40, 150, 60);
const QColor kRed(205, 45, 40);
const QColor kYellow(245, 200, 80);
const QColor kDarkYellow(214, 160, 40);
const QColor kGrey(150, 154, 162);

QPen Pen(const QColor& c, qreal width = 0.8)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Box(QPainter& p, const QColor& fill, const QRectF& r)
{
    p.setBrush(fill);
    p.drawRect(r);
}

void DrawPage(QPainter& p, const QRectF& r)
{
    const qreal fold = 3.2;
    QPainterPath page;
    page.moveTo(r.topLeft());
    page.lineTo(r.right() - fold, r.top());
    page.lineTo(r.right(), r.top() + fold);
    page.lineTo(r.bottomRight());
    page.lineTo(r.bottomLeft());
    page.closeSubpath();
    p.setPen(Pen(kInk));
    p.setBrush(kPaper);
    p.drawPath(page);
    QPainterPath corner;
    corner.moveTo(r.right() - fold, r.top());
    corner.lineTo(r.right() - fold, r.top() + fold);
    corner.lineTo(r.right(), r.top() + fold);
    p.setBrush(kPaperShade);
    p.drawPath(corner);
}

void DrawTextLines(QPainter& p, qreal left, qreal right, qreal top, int count)
{
    p.setPen(Pen(kGrey, 0.9));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + i * 2.2), QPointF(right, top + i * 2.2));
}

void DrawCheck(QPainter& p, const QPointF& at, qreal size, const QColor& color, qreal width)
{
    p.setPen(Pen(color, width));
    p.setBrush(Qt::NoBrush);
    const QPointF pts[] = {at + QPointF(0, size * 0.5), at + QPointF(size * 0.38, size * 0.9), at + QPointF(size, 0)};
    p.drawPolyline(pts, 3);
}

void DrawCheckBox(QPainter& p, const QRectF& r, bool checked)
{
    p.setPen(Pen(kInk));
    p.setBrush(kPaper);
    p.drawRect(r);
    if (checked)
        DrawCheck(p, r.topLeft() + QPointF(0.7, 0.9), r.width() - 1.4, kGreen, 1.3);
}

// Three list rows, each a check box and a line of text.
void DrawRows(QPainter& p, std::initializer_list<bool> checks)
{
    qreal y = 1.5;
    for (bool checked : checks) {
        DrawCheckBox(p, QRectF(1.5, y, 3.6, 3.6), checked);
        p.setPen(Pen(kGrey, 1.1));
        p.drawLine(QPointF(7, y + 1.8), QPointF(12.5, y + 1.8));
        y += 4.8;
    }
}

void DrawGlobe(QPainter& p, const QPointF& c, qreal r)
{
    p.setPen(Pen(kBlue.darker(130)));
    p.setBrush(kLightBlue);
    p.drawEllipse(c, r, r);
    p.setPen(Pen(kBlue, 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r * 0.45, r);
    p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
    p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    p.drawLine(QPointF(c.x() - r * 0.85, c.y() - r * 0.5), QPointF(c.x() + r * 0.85, c.y() - r * 0.5));
    p.drawLine(QPointF(c.x() - r * 0.85, c.y() + r * 0.5), QPointF(c.x() + r * 0.85, c.y() + r * 0.5));
}

void DrawBadge(QPainter& p, const QPointF& c, qreal r, const QColor& color)
{
    p.setPen(Pen(kPaper, 0.8));
    p.setBrush(color);
    p.drawEllipse(c, r, r);
}


void DrawMagnifier(QPainter& p, const QPointF& c, qreal r)
{
    p.setPen(Pen(kInk, r * 0.48));
    p.drawLine(c + QPointF(r, r) * 0.68, c + QPointF(r, r) * 1.63);
    p.setPen(Pen(kInk, r * 0.24));
    p.setBrush(kLightBlue);
    p.drawEllipse(c, r, r);
    p.setPen(Pen(kPaper, r * 0.2));
    p.drawArc(QRectF(c.x() - r * 0.65, c.y() - r * 0.65, r * 1.3, r * 1.3), 100 * 16, 70 * 16);
}

// "TM" in strokes, so it needs no font; its top left at at, letters h high.
void DrawTradeMark(QPainter& p, const QPointF& at, qreal h, const QColor& color)
{
    p.setPen(Pen(color, h * 0.2));
    p.setBrush(Qt::NoBrush);
    const qreal w = h * 0.75;
    p.drawLine(at, at + QPointF(w, 0));
    p.drawLine(at + QPointF(w / 2, 0), at + QPointF(w / 2, h));
    const QPointF m = at + QPointF(w + h * 0.25, 0);
    const QPointF pts[] = {m + QPointF(0, h), m, m + QPointF(w / 2, h * 0.6), m + QPointF(w, 0), m + QPointF(w, h)};
    p.drawPolyline(pts, 5);
}

// A round arrow most of the way around c, its head at the end.
void DrawRoundArrow(QPainter& p, const QPointF& c, qreal r, const QColor& color, qreal width)
{
    p.setPen(Pen(color, width));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 90 * 16, 270 * 16);
    const QPointF tip = c + QPointF(r, 0);
    const qreal head = width * 1.6;
    const QPointF arrow[] = {tip + QPointF(-head, -head * 0.4), tip + QPointF(0, -head * 1.4), tip + QPointF(head, -head * 0.4)};
    p.setBrush(color);
    p.setPen(Pen(color, width * 0.5));
    p.drawPolygon(arrow, 3);
}

void DrawCross(QPainter& p, const QPointF& c, qreal half, qreal width)
{
    p.setPen(Pen(kRed, width));
    p.drawLine(c + QPointF(-half, -half), c + QPointF(half, half));
    p.drawLine(c + QPointF(half, -half), c + QPointF(-half, half));
}

}

namespace Pictures {

void New(QPainter& p)
{
    DrawPage(p, QRectF(3, 1.5, 10, 13));
}

void Open(QPainter& p)
{
    QPainterPath back;
    back.moveTo(1.5, 13.5);
    back.lineTo(1.5, 3);
    back.lineTo(5.5, 3);
    back.lineTo(7, 4.5);
    back.lineTo(12.5, 4.5);
    back.lineTo(12.5, 13.5);
    back.closeSubpath();
    p.setPen(Pen(kInk));
    p.setBrush(kDarkYellow);
    p.drawPath(back);
    const QPointF front[] = {{1.5, 13.5}, {4, 7.5}, {15, 7.5}, {12.5, 13.5}};
    p.setBrush(kYellow);
    p.drawPolygon(front, 4);
}

void Save(QPainter& p)
{
    p.setPen(Pen(kInk));
    p.setBrush(kBlue);
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.2, 1.2);
    Box(p, kPaper, QRectF(4, 1.5, 8, 5.5));
    Box(p, kPaperShade, QRectF(4.5, 9.5, 7, 5));
    Box(p, kInk, QRectF(9.5, 10.5, 1.4, 3));
}

void Print(QPainter& p)
{
    p.setPen(Pen(kInk));
    Box(p, kPaper, QRectF(4, 1.5, 8, 5));
    p.setBrush(kGrey);
    p.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1.2, 1.2);
    Box(p, kPaper, QRectF(4, 10, 8, 4.5));
    DrawTextLines(p, 5.3, 10.7, 11.6, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(12.5, 8), 0.8, 0.8);
}

void CopyAll(QPainter& p)
{
    DrawPage(p, QRectF(1.5, 1.5, 8.5, 10.5));
    DrawPage(p, QRectF(6, 4, 8.5, 10.5));
    DrawTextLines(p, 7.5, 12.5, 8.5, 3);
}

void Find(QPainter& p)
{
    DrawMagnifier(p, QPointF(6.5, 6.5), 4.6);
}

void AddNames(QPainter& p)
{
    DrawPage(p, QRectF(1.5, 1.5, 10, 13));
    DrawTextLines(p, 3.5, 9.5, 5, 4);
    DrawBadge(p, QPointF(11.8, 11.8), 3.8, kGreen);
    p.setPen(Pen(kPaper, 1.4));
    p.drawLine(QPointF(11.8, 9.8), QPointF(11.8, 13.8));
    p.drawLine(QPointF(9.8, 11.8), QPointF(13.8, 11.8));
}

void ConstructNames(QPainter& p)
{
    p.setPen(Pen(kInk));
    Box(p, kRed, QRectF(1, 9, 6.5, 5.5));
    Box(p, kBlue, QRectF(8.5, 9, 6.5, 5.5));
    Box(p, kGreen, QRectF(4.75, 2.5, 6.5, 5.5));
    p.setPen(Pen(kPaper, 0.9));
    p.drawLine(QPointF(3, 11.75), QPointF(5.5, 11.75));
    p.drawLine(QPointF(10.5, 11.75), QPointF(13, 11.75));
    p.drawLine(QPointF(6.75, 5.25), QPointF(9.25, 5.25));
}

void SelectAll(QPainter& p)
{
    DrawRows(p, {true, true, true});
}

void SelectRange(QPainter& p)
{
    DrawRows(p, {false, true, true});
    p.setPen(Pen(kBlue, 1.2));
    const QPointF bracket[] = {{13.2, 6.3}, {14.6, 6.3}, {14.6, 14.7}, {13.2, 14.7}};
    p.drawPolyline(bracket, 4);
}

void UnselectAll(QPainter& p)
{
    DrawRows(p, {false, false, false});
}

void DeleteSelected(QPainter& p)
{
    DrawCross(p, QPointF(8, 8), 4.5, 2.6);
}

void InvertSelection(QPainter& p)
{
    DrawCheckBox(p, QRectF(1.5, 5, 5.5, 5.5), true);
    DrawCheckBox(p, QRectF(9, 5, 5.5, 5.5), false);
    p.setPen(Pen(kBlue, 1));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(4, 2.5), QPointF(12, 2.5));
    p.drawPolyline(std::array{QPointF(10.5, 1.2), QPointF(12, 2.5), QPointF(10.5, 3.8)}.data(), 3);
    p.drawLine(QPointF(4, 13.5), QPointF(12, 13.5));
    p.drawPolyline(std::array{QPointF(5.5, 12.2), QPointF(4, 13.5), QPointF(5.5, 14.8)}.data(), 3);
}

void BrowseWebsite(QPainter& p)
{
    DrawGlobe(p, QPointF(8, 8), 6.5);
}

void CheckAvailability(QPainter& p)
{
    DrawGlobe(p, QPointF(6.5, 6.5), 5.2);
    DrawBadge(p, QPointF(11.6, 11.6), 4, kGreen);
    DrawCheck(p, QPointF(9.6, 10.1), 4, kPaper, 1.4);
}

void LookupSelected(QPainter& p)
{
    DrawRows(p, {true, true, true});
    DrawBadge(p, QPointF(11.6, 11.6), 4, kGreen);
    const QPointF play[] = {{10.4, 9.6}, {14, 11.6}, {10.4, 13.6}};
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawPolygon(play, 3);
}

void StopAll(QPainter& p)
{
    QPolygonF octagon;
    for (int i = 0; i < 8; ++i) {
        const double a = (i * 45.0 + 22.5) * std::numbers::pi / 180.0;
        octagon << QPointF(8 + 6.8 * std::cos(a), 8 + 6.8 * std::sin(a));
    }
    p.setPen(Pen(kRed.darker(140)));
    p.setBrush(kRed);
    p.drawPolygon(octagon);
    p.setPen(Pen(kPaper, 2));
    p.drawLine(QPointF(4.5, 8), QPointF(11.5, 8));
}

void SetupDomains(QPainter& p)
{
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const double a0 = (i * 360.0 / (teeth * 2) - 8) * std::numbers::pi / 180.0;
        const double a1 = (i * 360.0 / (teeth * 2) + 8) * std::numbers::pi / 180.0;
        const double r = i % 2 == 0 ? 7 : 5.2;
        const QPointF p0(8 + r * std::cos(a0), 8 + r * std::sin(a0));
        const QPointF p1(8 + r * std::cos(a1), 8 + r * std::sin(a1));
        if (i == 0)
            gear.moveTo(p0);
        else
            gear.lineTo(p0);
        gear.lineTo(p1);
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(8, 8), 2.2, 2.2);
    p.setPen(Pen(kInk));
    p.setBrush(kGrey);
    p.drawPath(gear);
}

void MinimizeToTray(QPainter& p)
{
    p.setPen(Pen(kInk));
    Box(p, kPaper, QRectF(1.5, 1.5, 13, 8.5));
    Box(p, kBlue, QRectF(1.5, 1.5, 13, 2.5));
    Box(p, kGrey, QRectF(1, 12.5, 14, 2.5));
    Box(p, kGreen, QRectF(11, 13, 2.5, 1.5));
    p.setPen(Pen(kGreen.darker(120), 1.3));
    p.drawLine(QPointF(12.2, 5.5), QPointF(12.2, 10.8));
    p.drawPolyline(std::array{QPointF(10.6, 9.2), QPointF(12.2, 10.8), QPointF(13.8, 9.2)}.data(), 3);
}

void ExportDatabase(QPainter& p)
{
    // A cylinder of three stacked discs.
    const qreal left = 2.5, width = 11, lid = 3.6;
    p.setPen(Pen(kInk));
    p.setBrush(kLightBlue);
    QPainterPath body;
    body.moveTo(left, 3.5);
    body.lineTo(left, 12.5);
    body.arcTo(QRectF(left, 12.5 - lid / 2, width, lid), 180, 180);
    body.lineTo(left + width, 3.5);
    p.drawPath(body);
    p.setBrush(Qt::NoBrush);
    for (qreal y : {6.5, 9.5})
        p.drawArc(QRectF(left, y - lid / 2, width, lid), 180 * 16, 180 * 16);
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(left, 3.5 - lid / 2, width, lid));
}

void App(QPainter& p)
{
    DrawGlobe(p, QPointF(7, 7), 6.3);
    DrawBadge(p, QPointF(11.5, 11.5), 4.2, kGreen);
    DrawCheck(p, QPointF(9.4, 10), 4.2, kPaper, 1.5);
}

void SaveAs(QPainter& p)
{
    Save(p);
    // A pencil across the label: written under another name.
    p.setPen(Pen(kInk, 0.7));
    p.setBrush(kYellow);
    const QPointF pencil[] = {{8.2, 15.2}, {8.8, 12.6}, {14.6, 6.8}, {16, 8.2}, {10.2, 14}};
    p.drawPolygon(pencil, 5);
}

void PrintPreview(QPainter& p)
{
    DrawPage(p, QRectF(1.5, 1.5, 10, 13));
    DrawTextLines(p, 3.5, 9.5, 4.5, 3);
    DrawMagnifier(p, QPointF(9.5, 9.5), 3.3);
}

void PrintSetup(QPainter& p)
{
    Print(p);
    DrawBadge(p, QPointF(12, 12), 3.8, kBlue);
    p.setPen(Pen(kPaper, 0.8));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(10.2, 10.8 + i * 1.2), QPointF(13.8, 10.8 + i * 1.2));
}

void Exit(QPainter& p)
{
    p.setPen(Pen(kInk));
    Box(p, kDarkYellow, QRectF(2, 1.5, 8, 13));
    p.setBrush(kInk);
    p.drawEllipse(QPointF(8.3, 8), 0.7, 0.7);
    p.setPen(Pen(kRed, 1.8));
    p.drawLine(QPointF(8.5, 5.5), QPointF(14.5, 5.5));
    p.drawPolyline(std::array{QPointF(12.3, 3.3), QPointF(14.5, 5.5), QPointF(12.3, 7.7)}.data(), 3);
}

void CopySelected(QPainter& p)
{
    DrawPage(p, QRectF(1.5, 1.5, 8.5, 10.5));
    DrawPage(p, QRectF(6, 4, 8.5, 10.5));
    DrawCheckBox(p, QRectF(7.5, 8, 3.6, 3.6), true);
    DrawTextLines(p, 7.5, 12.5, 13, 1);
}

void DeleteAll(QPainter& p)
{
    DrawRows(p, {false, false, false});
    DrawCross(p, QPointF(11.5, 11.5), 3, 1.8);
}

void Refresh(QPainter& p)
{
    DrawRoundArrow(p, QPointF(8, 8.5), 5, kGreen, 1.6);
}

void TrademarkLookup(QPainter& p)
{
    DrawTradeMark(p, QPointF(1.5, 1.8), 5, kBlue);
    DrawMagnifier(p, QPointF(9.5, 9.5), 3.4);
}

void AutoTrademarkLookup(QPainter& p)
{
    DrawTradeMark(p, QPointF(1.5, 1.8), 5, kBlue);
    DrawRoundArrow(p, QPointF(10.5, 11), 3.2, kGreen, 1.3);
}

void CheckTrademark(QPainter& p)
{
    DrawTradeMark(p, QPointF(1.5, 1.8), 5, kBlue);
    DrawBadge(p, QPointF(11.6, 11.6), 4, kGreen);
    DrawCheck(p, QPointF(9.6, 10.1), 4, kPaper, 1.4);
}

void TrademarkAllSelected(QPainter& p)
{
    DrawRows(p, {true, true, true});
    DrawBadge(p, QPointF(11.6, 11.6), 4, kBlue);
    DrawTradeMark(p, QPointF(9.5, 10.2), 2.6, kPaper);
}

void Busy(QPainter& p, int frame)
{
    DrawGlobe(p, QPointF(8, 8), 4.8);
    // A dot circles the globe a sixth of a turn each frame, a fading trail
    // behind it, so each frame differs from the next at a glance.
    for (int k = 2; k >= 0; --k) {
        const double a = ((frame - k) * 360.0 / kBusyFrames - 90.0) * std::numbers::pi / 180.0;
        QColor dot = kGreen;
        dot.setAlphaF(1.0 - k * 0.3);
        p.setPen(Qt::NoPen);
        p.setBrush(dot);
        p.drawEllipse(QPointF(8 + 6.3 * std::cos(a), 8 + 6.3 * std::sin(a)), 1.6 - k * 0.3, 1.6 - k * 0.3);
    }
}

}
