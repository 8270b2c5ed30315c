#include "wizard/ControlUnitBar.h"

#include <QAction>
#include <algorithm>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QMenu>
#include <QPainter>
#include <QResizeEvent>
#include <QToolButton>

#include "treeview/ZMTreeview.h"

namespace {
constexpr int kButtonWidth = 40;
constexpr int kButtonHeight = 38;
// The picture size of the main tool bar.
constexpr int kPictureSize = 32;

// The control unit picture with the unit's number in its lower right corner,
// so that the buttons tell one unit from another at a glance; drawn at `scale`
// times the picture size for screens with more pixels to the point.
QPixmap NumberedPixmap(const QIcon& picture, int number, int scale) {
  QPixmap pixmap(kPictureSize * scale, kPictureSize * scale);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(scale, scale);
  picture.paint(&painter, QRect(0, 0, kPictureSize, kPictureSize));
  QFont font = painter.font();
  font.setBold(true);
  font.setPixelSize(12);
  painter.setFont(font);
  const QString text = QString::number(number);
  const int width = std::max(12, QFontMetrics(font).horizontalAdvance(text) + 4);
  const QRect badge(kPictureSize - width, kPictureSize - 14, width, 14);
  painter.setPen(QColor(40, 40, 40));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(QRectF(badge).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  painter.setPen(Qt::black);
  painter.drawText(badge, Qt::AlignCenter, text);
  painter.end();
  return pixmap;
}

QIcon NumberedPicture(const QIcon& picture, int number) {
  QIcon icon;
  for (int scale : {1, 2}) icon.addPixmap(NumberedPixmap(picture, number, scale));
  return icon;
}

QAction* MakeAction(QObject* parent, const char* name, const QString& caption, const QString& hint) {
  auto* action = new QAction(caption, parent);
  action->setObjectName(QString::fromLatin1(name));
  action->setToolTip(hint.isEmpty() ? caption : hint);
  action->setStatusTip(hint);
  return action;
}
}  // namespace

TControlUnitBar::TControlUnitBar(TMainControlUnits& core, QWidget* parent)
    : QToolBar(parent),
      Core_(core),
      actAddControlUnit_(MakeAction(this, "actAddControlUnit", QStringLiteral("Add control unit"),
                                    QStringLiteral("Add a control unit and set selected strings to "
                                                   "new control unit"))),
      actSetControlUnit_(MakeAction(this, "actSetControlUnit", QString(),
                                    QStringLiteral("Put selected strings on this control unit"))),
      actDeleteControlUnit_(MakeAction(this, "actDeleteControlUnit",
                                       QStringLiteral("Delete control unit"),
                                       QStringLiteral("Disassociate control unit(s) from selected "
                                                      "string(s)"))),
      actAutoAssignCUs_(MakeAction(this, "actAutoAssignCUs",
                                   QStringLiteral("Auto-assign control units"), QString())),
      pumControlUnits_(new QMenu(this)),
      ButtonsHost_(new QWidget(this)),
      Grid_(new QGridLayout(ButtonsHost_)) {
  setObjectName(QStringLiteral("tbarControlUnits"));
  setMovable(false);
  setFloatable(false);
  pumControlUnits_->setObjectName(QStringLiteral("pumControlUnits"));
  QAction* mnuAutoCUAssign = pumControlUnits_->addAction(actAutoAssignCUs_->text());
  mnuAutoCUAssign->setObjectName(QStringLiteral("mnuAutoCUAssign"));
  connect(mnuAutoCUAssign, &QAction::triggered, actAutoAssignCUs_, &QAction::trigger);
  connect(actAutoAssignCUs_, &QAction::changed, mnuAutoCUAssign,
          [this, mnuAutoCUAssign] { mnuAutoCUAssign->setEnabled(actAutoAssignCUs_->isEnabled()); });

  ButtonsHost_->setObjectName(QStringLiteral("pnlControlUnitButtons"));
  ButtonsHost_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  ButtonsHost_->setMinimumWidth(kButtonWidth);
  Grid_->setContentsMargins(0, 0, 0, 0);
  Grid_->setSpacing(0);
  Grid_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  addWidget(ButtonsHost_);
  ButtonsHost_->installEventFilter(this);

  connect(actAddControlUnit_, &QAction::triggered, this, [this] { Core_.AddControlUnit(Selection()); });
  connect(actDeleteControlUnit_, &QAction::triggered, this,
          [this] { Core_.DeleteControlUnit(Selection()); });
  connect(actAutoAssignCUs_, &QAction::triggered, this, [this] { Core_.AutoAssign(); });
  connect(actSetControlUnit_, &QAction::triggered, this, [this] {
    Core_.SetControlUnit(Selection());
    Core_.RefreshControlUnitButtons();
  });
  connect(actSetControlUnit_, &QAction::changed, this, [this] {
    for (QToolButton* button : Buttons_) button->setEnabled(actSetControlUnit_->isEnabled());
    if (pictureKey_ != actSetControlUnit_->icon().cacheKey()) Sync();
  });

  Core_.OnButtonsChanged = [this] { Sync(); };
  Sync();
}

void TControlUnitBar::SetSelectionProvider(std::function<TzmTreeSelection()> provider) {
  Provider_ = std::move(provider);
  UpdateActions();
}

void TControlUnitBar::WatchTree(TzmTreeview* tree) {
  SetSelectionProvider([tree] { return TzmTreeSelection{tree->SelectedNodes(), tree->FocusedNode()}; });
  connect(tree->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { UpdateActions(); });
  connect(tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this] { UpdateActions(); });
}

TzmTreeSelection TControlUnitBar::Selection() const {
  return Provider_ ? Provider_() : TzmTreeSelection{};
}

QToolButton* TControlUnitBar::Button(int i) const {
  return i >= 0 && i < ButtonCount() ? Buttons_[static_cast<size_t>(i)] : nullptr;
}

void TControlUnitBar::SetOnTreePage(bool onTreePage) {
  OnTreePage_ = onTreePage;
  setVisible(OnTreePage_ && Core_.BarVisible());
}

void TControlUnitBar::ToolButton13Click(int tag) {
  if (!actSetControlUnit_->isEnabled()) return;
  Core_.ControlUnitButtonClick(tag, Selection());
}

void TControlUnitBar::Sync() {
  const int wanted = Core_.ButtonCount();
  while (ButtonCount() > wanted) {
    delete Buttons_.back();
    Buttons_.pop_back();
  }
  while (ButtonCount() < wanted) {
    const int tag = ButtonCount();
    auto* button = new QToolButton(ButtonsHost_);
    button->setCheckable(true);
    button->setFixedSize(kButtonWidth, kButtonHeight);
    button->setIconSize(QSize(kPictureSize, kPictureSize));
    ShowPicture(button, tag + 1);
    button->setEnabled(actSetControlUnit_->isEnabled());
    connect(button, &QToolButton::clicked, this, [this, tag] { ToolButton13Click(tag); });
    Buttons_.push_back(button);
  }
  for (int i = 0; i < ButtonCount(); ++i) {
    QToolButton* button = Buttons_[static_cast<size_t>(i)];
    const QString caption = QString::fromStdString(TMainControlUnits::ButtonCaption(i));
    button->setObjectName(QStringLiteral("btnControlUnit%1").arg(i + 1));
    button->setProperty("tag", Core_.ButtonTag(i));
    button->setText(actSetControlUnit_->icon().isNull() ? QString::number(i + 1) : caption);
    if (pictureKey_ != actSetControlUnit_->icon().cacheKey()) ShowPicture(button, i + 1);
    button->setToolTip(caption);
    button->setStatusTip(caption);
    button->setChecked(Core_.ButtonMarked(i));
  }
  pictureKey_ = actSetControlUnit_->icon().cacheKey();
  LayOutButtons();
  setVisible(OnTreePage_ && Core_.BarVisible());
  UpdateActions();
}

void TControlUnitBar::ShowPicture(QToolButton* button, int number) {
  // Without a picture the button shows its number as text.
  const QIcon picture = actSetControlUnit_->icon();
  button->setIcon(picture.isNull() ? QIcon() : NumberedPicture(picture, number));
  button->setToolButtonStyle(picture.isNull() ? Qt::ToolButtonTextOnly : Qt::ToolButtonIconOnly);
}

void TControlUnitBar::UpdateActions() {
  actAddControlUnit_->setEnabled(Core_.CanAddControlUnit());
  actDeleteControlUnit_->setEnabled(Core_.CanDeleteControlUnit());
  actSetControlUnit_->setEnabled(TMainControlUnits::HasBatteryOrString(Selection()));
}

void TControlUnitBar::LayOutButtons() {
  // As many buttons to a row as the bar's width takes; a button that does not
  // fit starts one more row.
  const int room = ButtonsHost_->width() > 0 ? ButtonsHost_->width() : width();
  const int perRow = std::max(1, room / kButtonWidth);
  for (QToolButton* button : Buttons_) Grid_->removeWidget(button);
  for (int i = 0; i < ButtonCount(); ++i)
    Grid_->addWidget(Buttons_[static_cast<size_t>(i)], i / perRow, i % perRow);
  Rows_ = std::max(1, (ButtonCount() + perRow - 1) / perRow);
  ButtonsHost_->setFixedHeight(Rows_ * kButtonHeight);
}

bool TControlUnitBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ButtonsHost_ && event->type() == QEvent::Resize) {
    auto* resize = static_cast<QResizeEvent*>(event);
    if (resize->size().width() != resize->oldSize().width()) LayOutButtons();
  }
  return QToolBar::eventFilter(watched, event);
}

TControlUnitBar::~TControlUnitBar() { Core_.OnButtonsChanged = nullptr; }
