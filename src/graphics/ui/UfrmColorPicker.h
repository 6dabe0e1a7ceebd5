// The colour picker form: the field and strip of the picker planes, spin edits for H, S, V,
// R, G, B, the mode buttons, the hex edit, the previews and the basic and custom palettes.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "graphics/UColorPickerModel.h"
#include "graphics/brCustomColors.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TColorPanel;
class TPickerPaintBox;
class TPickerSpinEdit;

// Sets up the model's pixel buffers; false when that fails.
using TBufferSetup = std::function<bool(TColorPickerModel&)>;

class TfrmColorPicker : public QDialog {
  Q_OBJECT

 public:
  // Runs FormCreate. Without a buffer the palettes are not built and the form must not be
  // shown (BuffersReady() tells).
  TfrmColorPicker(QWidget* parent, const TBufferSetup& bufferSetup = {}, TSysColorResolver sysColors = {});
  ~TfrmColorPicker() override;  // FormDestroy

  bool BuffersReady() const { return buffersReady_; }

  TColorPickerModel Model;
  std::array<TColor, CustomColorCount> CustomColorValues{};
  std::array<TColorPanel*, 48> BasicPanels{};
  std::array<TColorPanel*, CustomColorCount> CustomPanels{};
  int SelectedBasic = 0;
  int SelectedCustom = 0;
  bool SettingMode = false;
  bool TypingHex = false;

  TColor CurrentColor() const { return Model.CurrentColor; }
  TColorMode Mode() const { return Model.Mode; }
  void SetCurrentColor(TColor color);
  void SetColorMode(TColorMode mode);
  void SetCustomColor(int slot, TColor color);
  void RenderPlanes();
  TRerendered UpdatePlanes();
  void ShowPlanes();
  void UpdateControls();

  // The rectangle of a palette panel's selection frame on the form.
  static QRect FrameRect(bool custom, int index);

  QFrame *pnlXY = nullptr, *pnlZ = nullptr;
  TPickerPaintBox *pbXY = nullptr, *pbZ = nullptr;
  QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
         *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr;
  TColorPanel *pnlSelectedColor = nullptr, *pnlWebColor = nullptr;
  QRadioButton *rbHue = nullptr, *rbSat = nullptr, *rbValue = nullptr, *rbRed = nullptr, *rbGreen = nullptr,
               *rbBlue = nullptr;
  TPickerSpinEdit *spnHue = nullptr, *spnSat = nullptr, *spnValue = nullptr, *spnRed = nullptr,
                  *spnGreen = nullptr, *spnBlue = nullptr;
  QLineEdit* edtHex = nullptr;
  QPushButton *btnDefineCustomColor = nullptr, *btnCancel = nullptr, *btnOk = nullptr;

 protected:
  void showEvent(QShowEvent* e) override;    // FormShow
  void paintEvent(QPaintEvent* e) override;  // FormPaint

 private:
  void FormCreate(const TBufferSetup& bufferSetup);
  void CreatePanels();
  void pbXYPaint(QPainter& painter);
  void pbZPaint(QPainter& painter);
  void pbXYMouseDown(int x, int y);
  void pbXYMouseMove(int x, int y);
  void pbXYMouseUp();
  void pbZMouseDown(int y);
  void pbZMouseMove(int y);
  void pbZMouseUp();
  void rbHueClick(int tag);
  void spnHueChange(int tag);
  void edtHexChange();
  void pnlWebColorDblClick();
  void PanelClick(TColorPanel& panel);
  void PanelMouseDown(TColorPanel& panel);
  void btnDefineCustomColorClick();
  void MoveFrame(bool custom, int index);
  void EraseFrame(bool custom);
  void DrawFrame(bool custom);

  bool buffersReady_ = false;
  std::array<QRadioButton*, 6> modeButtons_{};
  std::array<TPickerSpinEdit*, 6> spinEdits_{};
};
