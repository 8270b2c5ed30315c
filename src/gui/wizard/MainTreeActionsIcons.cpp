#include "wizard/MainTreeActionsIcons.h"

#include <QPainter>
#include <QPainterPath>

namespace {
const QColor kOutline(40, 40, 40);
const QColor kBattery(70, 110, 170);
const QColor kCell(90, 150, 90);
const QColor kPlus(0, 150, 0);
const QColor kMinus(200, 30, 30);
const QColor kUnit(120, 120, 130);

// A battery body lying on its side with its terminal on the right.
void DrawBattery(QPainter& p, const QRectF& body, const QColor& fill) {
  p.setPen(QPen(kOutline, 1.2));
  p.setBrush(fill);
  p.drawRoundedRect(body, 2, 2);
  const qreal h = body.height() / 3;
  p.setBrush(kOutline);
  p.drawRect(QRectF(body.right(), body.top() + h, 2.5, h));
}

// A green plus in the lower right corner: "add".
void DrawPlus(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(19, 19, 13, 13));
  p.setBrush(kPlus);
  p.drawRect(QRectF(21, 24.5, 9, 2.5));
  p.drawRect(QRectF(24.25, 21.25, 2.5, 9));
}

// A red minus in the lower right corner: "remove".
void DrawMinus(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(19, 19, 13, 13));
  p.setBrush(kMinus);
  p.drawRect(QRectF(21, 24.5, 9, 2.5));
}

// A control unit: a grey box with a row of lamps and two sockets.
void DrawControlUnit(QPainter& p) {
  p.setPen(QPen(kOutline, 1.2));
  p.setBrush(kUnit);
  p.drawRoundedRect(QRectF(2, 6, 24, 18), 2, 2);
  p.setPen(Qt::NoPen);
  const QColor lamps[] = {QColor(0, 200, 0), QColor(0, 200, 0), QColor(240, 180, 0), QColor(0, 200, 0)};
  for (int i = 0; i < 4; ++i) {
    p.setBrush(lamps[i]);
    p.drawEllipse(QRectF(5 + i * 5, 9, 3, 3));
  }
  p.setBrush(kOutline);
  p.drawRect(QRectF(6, 17, 6, 4));
  p.drawRect(QRectF(15, 17, 6, 4));
}

void AddBattery(QPainter& p) {
  DrawBattery(p, QRectF(2, 7, 24, 14), kBattery);
  p.setPen(QPen(Qt::white, 1.5));
  p.drawLine(QPointF(7, 14), QPointF(11, 14));
  p.drawLine(QPointF(16, 14), QPointF(21, 14));
  p.drawLine(QPointF(18.5, 11.5), QPointF(18.5, 16.5));
  DrawPlus(p);
}

void AddString(QPainter& p) {
  p.setPen(QPen(kOutline, 1.2));
  p.drawLine(QPointF(1, 13), QPointF(28, 13));
  for (int i = 0; i < 3; ++i) DrawBattery(p, QRectF(1 + i * 9, 8, 6, 10), kBattery);
  DrawPlus(p);
}

void AddCurrent(QPainter& p) {
  // A clamp round a cable, marked A.
  p.setPen(QPen(kOutline, 2));
  p.drawLine(QPointF(1, 13), QPointF(27, 13));
  p.setPen(QPen(QColor(200, 120, 0), 3));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(6, 3, 20, 20), 30 * 16, 300 * 16);
  p.setPen(kOutline);
  QFont font = p.font();
  font.setPixelSize(9);
  font.setBold(true);
  p.setFont(font);
  p.drawText(QRectF(10, 14, 12, 10), Qt::AlignCenter, QStringLiteral("A"));
  DrawPlus(p);
}

void AddTemperature(QPainter& p) {
  p.setPen(QPen(kOutline, 1.2));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(10, 2, 6, 20), 3, 3);
  p.setBrush(QColor(210, 30, 30));
  p.drawEllipse(QRectF(7.5, 18, 11, 11));
  p.setPen(Qt::NoPen);
  p.drawRect(QRectF(11.5, 9, 3, 11));
  p.setPen(QPen(kOutline, 1));
  for (int y = 5; y <= 15; y += 3) p.drawLine(QPointF(16, y), QPointF(18, y));
  DrawPlus(p);
}

void AddCell(QPainter& p) {
  // One upright cell with its two posts.
  p.setPen(QPen(kOutline, 1.2));
  p.setBrush(kOutline);
  p.drawRect(QRectF(8, 3, 3, 3));
  p.drawRect(QRectF(16, 3, 3, 3));
  p.setBrush(kCell);
  p.drawRoundedRect(QRectF(5, 6, 17, 20), 2, 2);
  p.setPen(QPen(Qt::white, 1.5));
  p.drawLine(QPointF(8, 11), QPointF(11, 11));
  p.drawLine(QPointF(9.5, 9.5), QPointF(9.5, 12.5));
  p.drawLine(QPointF(16, 11), QPointF(19, 11));
  DrawPlus(p);
}

void DeleteNode(QPainter& p) {
  p.setPen(QPen(kMinus, 5, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(7, 7), QPointF(25, 25));
  p.drawLine(QPointF(25, 7), QPointF(7, 25));
}

void ConfigureAlarms(QPainter& p) {
  // A bell.
  QPainterPath bell;
  bell.moveTo(6, 23);
  bell.cubicTo(9, 20, 8, 8, 16, 6);
  bell.cubicTo(24, 8, 23, 20, 26, 23);
  bell.closeSubpath();
  p.setPen(QPen(kOutline, 1.2));
  p.setBrush(QColor(240, 190, 30));
  p.drawPath(bell);
  p.drawEllipse(QRectF(13.5, 23, 5, 5));
  p.drawEllipse(QRectF(14.5, 3, 3, 3));
  p.setPen(QPen(kMinus, 1.5));
  p.drawArc(QRectF(1, 6, 8, 12), 100 * 16, 100 * 16);
  p.drawArc(QRectF(23, 6, 8, 12), -80 * 16, 100 * 16);
}

void ConfigureString(QPainter& p) {
  // A string of cells over three settings sliders.
  p.setPen(QPen(kOutline, 1.2));
  p.drawLine(QPointF(1, 8), QPointF(30, 8));
  for (int i = 0; i < 4; ++i) DrawBattery(p, QRectF(1 + i * 8, 4, 5, 8), kBattery);
  for (int i = 0; i < 3; ++i) {
    const qreal y = 17 + i * 5;
    p.setPen(QPen(kOutline, 1.5));
    p.drawLine(QPointF(3, y), QPointF(29, y));
    p.setBrush(QColor(230, 230, 230));
    p.setPen(QPen(kOutline, 1));
    const qreal x = (i == 0) ? 20 : (i == 1 ? 9 : 15);
    p.drawRect(QRectF(x, y - 2, 4, 4));
  }
}

void AddControlUnit(QPainter& p) {
  DrawControlUnit(p);
  DrawPlus(p);
}

void DeleteControlUnit(QPainter& p) {
  DrawControlUnit(p);
  DrawMinus(p);
}

void ControlUnit(QPainter& p) {
  p.translate(2, 2);
  DrawControlUnit(p);
}

void BlocksPerChannel(QPainter& p) {
  // Two blocks under one measuring bracket.
  p.setPen(QPen(kOutline, 1.2));
  for (int i = 0; i < 2; ++i) {
    p.setBrush(kCell);
    p.drawRoundedRect(QRectF(3 + i * 13, 14, 11, 14), 2, 2);
  }
  p.setPen(QPen(QColor(200, 30, 30), 2));
  p.setBrush(Qt::NoBrush);
  p.drawLine(QPointF(5, 12), QPointF(5, 6));
  p.drawLine(QPointF(5, 6), QPointF(25, 6));
  p.drawLine(QPointF(25, 6), QPointF(25, 12));
  p.drawEllipse(QRectF(12, 2, 6, 6));
}

using TPainterFn = void (*)(QPainter&);
constexpr TPainterFn kPainters[kTreeToolbarPictureCount] = {
    AddBattery,      AddString,      AddCurrent, AddTemperature, AddCell,     DeleteNode,
    ConfigureAlarms, ConfigureString, AddControlUnit, DeleteControlUnit, ControlUnit, BlocksPerChannel,
};
}  // namespace

QPixmap TreeToolbarPicture(int index) {
  if (index < 0 || index >= kTreeToolbarPictureCount) return {};
  QPixmap pixmap(kTreeToolbarPictureSize, kTreeToolbarPictureSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  kPainters[index](painter);
  return pixmap;
}

QIcon TreeToolbarIcon(int index) {
  const QPixmap pixmap = TreeToolbarPicture(index);
  return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}
