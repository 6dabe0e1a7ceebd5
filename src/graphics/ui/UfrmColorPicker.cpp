#include "graphics/ui/UfrmColorPicker.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <cstdio>

#include "graphics/ui/UColorPickerControls.h"
#include "graphics/ui/brSysColor.h"

namespace {

constexpr int kClientWidth = 609;
constexpr int kClientHeight = 266;
constexpr int kCustomTagBase = 1000;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  const QSize size = label->sizeHint();
  label->setGeometry(x, y, size.width(), size.height());
  return label;
}

QFrame* MakeSunkenPanel(QWidget* parent, const char* name, int x, int y, int w, int h) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  panel->setLineWidth(1);
  panel->setGeometry(x, y, w, h);
  return panel;
}

}  // namespace

TfrmColorPicker::TfrmColorPicker(QWidget* parent, const TBufferSetup& bufferSetup,
                                 TSysColorResolver sysColors)
    : QDialog(parent) {
  setObjectName("frmColorPicker");
  // A fixed dialog border with only a close box.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);
  QFont small = font();
  small.setPixelSize(11);
  setFont(small);
  Model.SysColorResolver = sysColors ? std::move(sysColors) : TSysColorResolver(QtSysColor);

  pnlXY = MakeSunkenPanel(this, "pnlXY", 4, 4, 258, 258);
  pbXY = new TPickerPaintBox(pnlXY);
  pbXY->setObjectName("pbXY");
  pbXY->setGeometry(1, 1, FieldSize, FieldSize);
  pbXY->OnPaint = [this](QPainter& p) { pbXYPaint(p); };
  pbXY->OnMouseDown = [this](int x, int y, Qt::MouseButton) { pbXYMouseDown(x, y); };
  pbXY->OnMouseMove = [this](int x, int y, Qt::MouseButton) { pbXYMouseMove(x, y); };
  pbXY->OnMouseUp = [this](int, int, Qt::MouseButton) { pbXYMouseUp(); };

  pnlZ = MakeSunkenPanel(this, "pnlZ", 268, 4, 34, 258);
  pbZ = new TPickerPaintBox(pnlZ);
  pbZ->setObjectName("pbZ");
  pbZ->setGeometry(1, 1, StripWidth, StripHeight);
  pbZ->OnPaint = [this](QPainter& p) { pbZPaint(p); };
  pbZ->OnMouseDown = [this](int, int y, Qt::MouseButton) { pbZMouseDown(y); };
  pbZ->OnMouseMove = [this](int, int y, Qt::MouseButton) { pbZMouseMove(y); };
  pbZ->OnMouseUp = [this](int, int, Qt::MouseButton) { pbZMouseUp(); };

  Label4 = MakeLabel(this, "Label4", "Color", 312, 4);
  pnlSelectedColor = new TColorPanel(this, -1);
  pnlSelectedColor->setObjectName("pnlSelectedColor");
  pnlSelectedColor->setGeometry(308, 20, 64, 32);
  Label5 = MakeLabel(this, "Label5", "Web Color", 376, 4);
  pnlWebColor = new TColorPanel(this, -1);
  pnlWebColor->setObjectName("pnlWebColor");
  pnlWebColor->setGeometry(372, 20, 64, 32);
  pnlWebColor->OnDblClick = [this](TColorPanel&) { pnlWebColorDblClick(); };

  struct TCoordinateRow {
    const char *radio, *spin, *caption;
    int top, maximum;
  };
  const TCoordinateRow rows[6] = {
      {"rbHue", "spnHue", "H", 58, 359},      {"rbSat", "spnSat", "S", 82, 100},
      {"rbValue", "spnValue", "V", 106, 100}, {"rbRed", "spnRed", "R", 134, 255},
      {"rbGreen", "spnGreen", "G", 158, 255}, {"rbBlue", "spnBlue", "B", 182, 255},
  };
  for (int tag = 0; tag < 6; ++tag) {
    const TCoordinateRow& row = rows[tag];
    auto* radio = new QRadioButton(row.caption, this);
    radio->setObjectName(row.radio);
    radio->setProperty("tag", tag);
    radio->setGeometry(308, row.top + 2, 34, 17);
    connect(radio, &QRadioButton::clicked, this, [this, tag] { rbHueClick(tag); });
    modeButtons_[tag] = radio;

    auto* spin = new TPickerSpinEdit(this, tag, 0, row.maximum);
    spin->setObjectName(row.spin);
    spin->setProperty("tag", tag);
    spin->setGeometry(344, row.top, 57, 22);
    connect(spin, &QSpinBox::valueChanged, this, [this, tag] { spnHueChange(tag); });
    spinEdits_[tag] = spin;
  }
  rbHue = modeButtons_[0], rbSat = modeButtons_[1], rbValue = modeButtons_[2];
  rbRed = modeButtons_[3], rbGreen = modeButtons_[4], rbBlue = modeButtons_[5];
  spnHue = spinEdits_[0], spnSat = spinEdits_[1], spnValue = spinEdits_[2];
  spnRed = spinEdits_[3], spnGreen = spinEdits_[4], spnBlue = spinEdits_[5];
  rbHue->setChecked(true);
  Label3 = MakeLabel(this, "Label3", QString::fromUtf8("\u00B0"), 404, 61);
  Label1 = MakeLabel(this, "Label1", "%", 404, 85);
  Label2 = MakeLabel(this, "Label2", "%", 404, 109);

  Label6 = MakeLabel(this, "Label6", "Hex #", 312, 213);
  edtHex = new QLineEdit("000000", this);
  edtHex->setObjectName("edtHex");
  edtHex->setMaxLength(6);
  edtHex->setGeometry(344, 210, 57, 21);
  connect(edtHex, &QLineEdit::textChanged, this, [this] { edtHexChange(); });

  Label7 = MakeLabel(this, "Label7", "Basic Colors", 448, 4);
  Label8 = MakeLabel(this, "Label8", "Custom Colors", 448, 144);
  Label9 = new QLabel("Left-click to choose, Right-click to select without color override", this);
  Label9->setObjectName("Label9");
  Label9->setWordWrap(true);
  // Two lines must fit in the label's 33 pixels; a narrower face does it where one exists.
  QFont narrow = small;
  narrow.setStretch(QFont::Condensed);
  Label9->setFont(narrow);
  Label9->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label9->setGeometry(448, 200, 153, 33);

  // A button with the keyboard focus answers Enter itself; elsewhere Enter means OK.
  btnDefineCustomColor = new QPushButton("Define Custom Color", this);
  btnDefineCustomColor->setObjectName("btnDefineCustomColor");
  btnDefineCustomColor->setGeometry(312, 237, 121, 25);
  btnDefineCustomColor->setAutoDefault(true);
  connect(btnDefineCustomColor, &QPushButton::clicked, this, [this] { btnDefineCustomColorClick(); });
  btnCancel = new QPushButton("Cancel", this);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setGeometry(448, 237, 75, 25);
  btnCancel->setAutoDefault(true);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);  // Escape does the same
  btnOk = new QPushButton("OK", this);
  btnOk->setObjectName("btnOk");
  btnOk->setGeometry(528, 237, 75, 25);
  btnOk->setDefault(true);  // answers Enter
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

  FormCreate(bufferSetup);
}

TfrmColorPicker::~TfrmColorPicker() {
  Model.ReleaseBuffers();
}

void TfrmColorPicker::FormCreate(const TBufferSetup& bufferSetup) {
  SetCurrentColor(clBlack);
  SetColorMode(cm_Hue);
  Model.DraggingField = Model.DraggingStrip = false;
  SettingMode = TypingHex = false;
  buffersReady_ = bufferSetup ? bufferSetup(Model) : Model.SetupBuffers();
  if (!buffersReady_) return;
  SelectedBasic = 0;
  SelectedCustom = 0;
  CreatePanels();
}

void TfrmColorPicker::CreatePanels() {
  for (int row = 0; row < 6; ++row)
    for (int column = 0; column < 8; ++column) {
      const int index = row * 8 + column;
      auto* panel = new TColorPanel(this, index);
      panel->setObjectName(QString("BasicPanel%1").arg(index));
      panel->setGeometry(448 + 20 * column, 20 + 20 * row, 16, 16);
      panel->SetColor(BasicColors[index]);
      panel->OnClick = [this](TColorPanel& p) { PanelClick(p); };
      BasicPanels[index] = panel;
    }
  for (int row = 0; row < 2; ++row)
    for (int column = 0; column < 8; ++column) {
      const int index = row * 8 + column;
      auto* panel = new TColorPanel(this, kCustomTagBase + index);
      panel->setObjectName(QString("CustomPanel%1").arg(index));
      panel->setGeometry(448 + 20 * column, 160 + 20 * row, 16, 16);
      panel->SetColor(CustomColorValues[index]);
      panel->OnClick = [this](TColorPanel& p) { PanelClick(p); };
      panel->OnMouseDown = [this](TColorPanel& p, Qt::MouseButton) { PanelMouseDown(p); };
      CustomPanels[index] = panel;
    }
}

void TfrmColorPicker::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  UpdateControls();
  RenderPlanes();
  ShowPlanes();
}

void TfrmColorPicker::SetCurrentColor(TColor color) {
  Model.SetCurrentColor(color);
  UpdateControls();
}

void TfrmColorPicker::SetColorMode(TColorMode mode) {
  Model.SetColorMode(mode);
  SettingMode = true;
  modeButtons_[mode]->setChecked(true);
  SettingMode = false;
}

void TfrmColorPicker::SetCustomColor(int slot, TColor color) {
  if (slot < 0 || slot >= CustomColorCount) return;
  CustomColorValues[slot] = color;
  if (CustomPanels[slot]) CustomPanels[slot]->SetColor(color);
}

void TfrmColorPicker::RenderPlanes() {
  Model.RenderPlanes();
}

TRerendered TfrmColorPicker::UpdatePlanes() {
  const TRerendered done = Model.UpdatePlanes();
  ShowPlanes();
  return done;
}

void TfrmColorPicker::ShowPlanes() {
  pbXY->update();
  pbZ->update();
}

void TfrmColorPicker::UpdateControls() {
  pnlSelectedColor->SetColor(Model.CurrentColor);
  pnlWebColor->SetColor(WebSafeColor(Model.R, Model.G, Model.B));
  const int values[6] = {RoundHalfEven(Model.H * 360.0),
                         RoundHalfEven(Model.S * 100.0),
                         RoundHalfEven(Model.V * 100.0),
                         Model.R,
                         Model.G,
                         Model.B};
  // Detached while set here, so refreshing never feeds back into the colour.
  for (int tag = 0; tag < 6; ++tag) spinEdits_[tag]->ShowValue(values[tag]);
  if (!TypingHex) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02X%02X%02X", Model.R, Model.G, Model.B);
    const QSignalBlocker block(edtHex);
    edtHex->setText(hex);
  }
}

QRect TfrmColorPicker::FrameRect(bool custom, int index) {
  return QRect(446 + 20 * (index % 8), (custom ? 158 : 18) + 20 * (index / 8), 20, 20);
}

void TfrmColorPicker::paintEvent(QPaintEvent* e) {
  QDialog::paintEvent(e);
  if (!buffersReady_) return;
  QPainter painter(this);
  painter.setPen(Qt::black);
  for (const bool custom : {true, false}) {
    // A focus rectangle: every other pixel of the outline, starting at its corner.
    const QRect r = FrameRect(custom, custom ? SelectedCustom : SelectedBasic);
    for (int x = r.left(); x <= r.right(); ++x)
      for (int y : {r.top(), r.bottom()})
        if ((x - r.left() + y - r.top()) % 2 == 0) painter.drawPoint(x, y);
    for (int y = r.top() + 1; y < r.bottom(); ++y)
      for (int x : {r.left(), r.right()})
        if ((x - r.left() + y - r.top()) % 2 == 0) painter.drawPoint(x, y);
  }
}

void TfrmColorPicker::EraseFrame(bool custom) {
  // The form's background is painted under every frame, so repainting the old place in the
  // background colour is what erasing it takes.
  update(FrameRect(custom, custom ? SelectedCustom : SelectedBasic));
}

void TfrmColorPicker::DrawFrame(bool custom) {
  update(FrameRect(custom, custom ? SelectedCustom : SelectedBasic));
}

void TfrmColorPicker::MoveFrame(bool custom, int index) {
  EraseFrame(custom);
  (custom ? SelectedCustom : SelectedBasic) = index;
  DrawFrame(custom);
}

void TfrmColorPicker::pbXYPaint(QPainter& painter) {
  const TImage24& image = Model.FieldImage;
  painter.drawImage(
      0, 0, QImage(image.Bits(), image.Width(), image.Height(), image.Stride(), QImage::Format_RGB888));
  const TPoint c = Model.FieldMarker();
  painter.setPen(QPen(ToQColor(Model.MarkerColor()), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(c.X - 4, c.Y - 4, 8, 8);
}

void TfrmColorPicker::pbZPaint(QPainter& painter) {
  const TImage24& image = Model.StripImage;
  painter.drawImage(
      0, 0, QImage(image.Bits(), image.Width(), image.Height(), image.Stride(), QImage::Format_RGB888));
  const int cy = Model.StripMarkerY();
  painter.setPen(QPen(ToQColor(Model.MarkerColor()), 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(12, cy - 4, 8, 8);
}

void TfrmColorPicker::pbXYMouseDown(int x, int y) {
  Model.DraggingField = true;
  Model.PickField(x, y);
  UpdateControls();
  ShowPlanes();
}

void TfrmColorPicker::pbXYMouseMove(int x, int y) {
  if (!Model.DraggingField) return;
  Model.PickField(x, y);
  UpdateControls();
  ShowPlanes();
}

void TfrmColorPicker::pbXYMouseUp() {
  Model.DraggingField = false;
}

void TfrmColorPicker::pbZMouseDown(int y) {
  Model.DraggingStrip = true;
  Model.PickStrip(y);
  UpdateControls();
  ShowPlanes();
}

void TfrmColorPicker::pbZMouseMove(int y) {
  if (!Model.DraggingStrip) return;
  Model.PickStrip(y);
  UpdateControls();
  ShowPlanes();
}

void TfrmColorPicker::pbZMouseUp() {
  Model.DraggingStrip = false;
}

void TfrmColorPicker::rbHueClick(int tag) {
  if (SettingMode) return;
  SetColorMode(static_cast<TColorMode>(tag));
  RenderPlanes();
  ShowPlanes();
}

void TfrmColorPicker::spnHueChange(int tag) {
  // Enter makes a spin edit announce its value again even when nothing was typed. The H, S and
  // V edits show rounded figures, so taking that as an edit would move the colour: a C08000
  // picked from the palette would turn into BF8000 on its way to OK.
  if (!spinEdits_[tag]->ChangedByUser()) return;
  const int value = spinEdits_[tag]->value();
  switch (tag) {
    case 0:
      Model.SetHSVPart(0, value / 360.0);
      break;
    case 1:
      Model.SetHSVPart(1, value / 100.0);
      break;
    case 2:
      Model.SetHSVPart(2, value / 100.0);
      break;
    default:
      Model.SetRGBPart(tag - 3, static_cast<uint8_t>(value & 0xFF));
      break;
  }
  UpdateControls();
  UpdatePlanes();
}

void TfrmColorPicker::edtHexChange() {
  TypingHex = true;
  // Read on every keystroke: fewer than six digits are the low ones, so "FF" alone is blue.
  Model.SetRGBValue(HexToInt(edtHex->text().toLocal8Bit().toStdString()));
  UpdateControls();
  UpdatePlanes();
  TypingHex = false;
}

void TfrmColorPicker::pnlWebColorDblClick() {
  SetCurrentColor(pnlWebColor->Color());
  UpdatePlanes();
}

void TfrmColorPicker::PanelClick(TColorPanel& panel) {
  SetCurrentColor(panel.Color());
  UpdatePlanes();
  const bool custom = panel.Tag() >= kCustomTagBase;
  MoveFrame(custom, custom ? panel.Tag() - kCustomTagBase : panel.Tag());
}

void TfrmColorPicker::PanelMouseDown(TColorPanel& panel) {
  MoveFrame(true, panel.Tag() - kCustomTagBase);
}

void TfrmColorPicker::btnDefineCustomColorClick() {
  SetCustomColor(SelectedCustom, Model.CurrentColor);
  EraseFrame(true);
  SelectedCustom = (SelectedCustom + 1) % CustomColorCount;
  DrawFrame(true);
}
