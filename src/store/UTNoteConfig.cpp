#include "store/UTNoteConfig.h"

#include <algorithm>
#include <string_view>

#include "base/brRandom.h"
#include "graphics/brColorUtil.h"
#include "platform/Screens.h"
#include "store/USettingsKeys.h"
#include "store/UXMLConstants.h"
#include "store/brConvert.h"
#include "store/brRegVal.h"
#include "store/brXMLReader.h"
#include "store/brXMLUtil.h"

namespace {
// A new note must fit on the primary screen with its default size.
constexpr int32_t placementMargin = 128;

// "&" first, so the entities written here are not escaped a second time.
std::string escapeFontName(const std::string& name) {
  std::string out;
  out.reserve(name.size());
  for (const char c : name) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}
}  // namespace

TNoteDefaults TNoteDefaults::FromSettings(const TbrRegVal& settings) {
  TNoteDefaults d;
  d.RandomColor = settings.GetBoolean(setting::bRandomColor);
  d.FontSize = static_cast<int32_t>(settings.GetInteger(setting::iDefaultFontSize));
  d.FontColor = static_cast<TColor>(settings.GetInteger(setting::iDefaultFontColor));
  d.FontName = settings.GetString(setting::sDefaultFontName);
  return d;
}

TNoteConfig::TNoteConfig(const TbrRegVal& settings, const Screens& screens, TRandom& random)
    : TNoteConfig(TNoteDefaults::FromSettings(settings), screens, random) {}

TNoteConfig::TNoteConfig(const TNoteDefaults& defaults, const Screens& screens, TRandom& random) {
  Left = random.Place(screens.PrimaryWidth(), placementMargin);
  Top = random.Place(screens.PrimaryHeight(), placementMargin);
  Color = defaults.RandomColor ? RandomColor(random) : clDefaultNoteColor;
  FontSize = defaults.FontSize;
  FontColor = defaults.FontColor;
  FontName = defaults.FontName;
}

void TNoteConfig::LoadFromNode(const TXMLNode& element) {
  struct IntField {
    std::string_view name;
    int32_t TNoteConfig::*field;
  };
  struct BoolField {
    std::string_view name;
    bool TNoteConfig::*field;
  };
  static const IntField intFields[] = {
      {xmlc::Id, &TNoteConfig::Id},
      {xmlc::Left, &TNoteConfig::Left},
      {xmlc::Top, &TNoteConfig::Top},
      {xmlc::Width, &TNoteConfig::Width},
      {xmlc::Height, &TNoteConfig::Height},
      {xmlc::Color, &TNoteConfig::Color},
      {xmlc::FontSize, &TNoteConfig::FontSize},
      {xmlc::FontColor, &TNoteConfig::FontColor},
  };
  static const BoolField boolFields[] = {
      {xmlc::Minimized, &TNoteConfig::Minimized}, {xmlc::SystemNote, &TNoteConfig::SystemNote},
      {xmlc::Chat, &TNoteConfig::Chat},           {xmlc::ReadOnly, &TNoteConfig::ReadOnly},
      {xmlc::OnTop, &TNoteConfig::OnTop},
  };

  for (int i = 0; i < element.AttributeCount(); ++i) {
    const TXMLNode& attr = *element.Attribute(i);
    bool done = false;
    for (const auto& f : intFields) {
      if (attr.Name == f.name) {
        this->*f.field = StrToInt(attr.Value);
        done = true;
        break;
      }
    }
    if (done) continue;
    for (const auto& f : boolFields) {
      if (attr.Name == f.name) {
        this->*f.field = StrToBool(attr.Value);
        done = true;
        break;
      }
    }
    // Decoding cannot fail: an "&" that starts no known entity is kept as it is.
    if (!done && attr.Name == xmlc::FontName) FontName = XMLUnescape(attr.Value);
  }
}

void BoundNoteRecord(TNoteConfig& record, const std::vector<TMonitor>& monitors) {
  constexpr int32_t minWidth = 64, minHeight = 36;
  int64_t left = 0, top = 0, right = 0, bottom = 0;
  for (size_t i = 0; i < monitors.size(); ++i) {
    const TRect& b = monitors[i].Bounds;
    left = i ? std::min<int64_t>(left, b.Left) : b.Left;
    top = i ? std::min<int64_t>(top, b.Top) : b.Top;
    right = i ? std::max<int64_t>(right, b.Right) : b.Right;
    bottom = i ? std::max<int64_t>(bottom, b.Bottom) : b.Bottom;
  }
  // Without monitors (none reported yet) only the fixed limits hold.
  const auto limit = [](int64_t extent, int32_t least) {
    const int64_t twice = extent > 0 ? 2 * extent : kMaxNoteSide;
    return static_cast<int32_t>(std::clamp<int64_t>(twice, least, kMaxNoteSide));
  };
  record.Width = std::clamp(record.Width, minWidth, limit(right - left, minWidth));
  record.Height = std::clamp(record.Height, minHeight, limit(bottom - top, minHeight));
  const auto place = [](int32_t value, int64_t origin) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, origin - kMaxNoteSide, origin + kMaxNoteSide));
  };
  record.Left = place(record.Left, left);
  record.Top = place(record.Top, top);
}

std::unique_ptr<TNoteConfig> CreateNoteConfig(int32_t id, const TbrRegVal& settings, const Screens& screens,
                                              TRandom& random) {
  auto record = std::make_unique<TNoteConfig>(settings, screens, random);
  record->Id = id;
  return record;
}

void WriteNoteElement(const TNoteConfig& record, std::vector<std::string>& lines, const std::string& indent) {
  std::string line;
  line.reserve(indent.size() + 240 + record.FontName.size());
  line += indent;
  line += "<";
  line += xmlc::NoteElement;
  line += " ";
  line += FormatAttribute(xmlc::Id, record.Id);
  line += FormatAttribute(xmlc::Left, record.Left);
  line += FormatAttribute(xmlc::Top, record.Top);
  line += FormatAttribute(xmlc::Width, record.Width);
  line += FormatAttribute(xmlc::Height, record.Height);
  line += FormatAttribute(xmlc::Minimized, record.Minimized);
  line += FormatAttribute(xmlc::SystemNote, record.SystemNote);
  line += FormatAttribute(xmlc::Chat, record.Chat);
  line += FormatAttribute(xmlc::ReadOnly, record.ReadOnly);
  line += FormatAttribute(xmlc::OnTop, record.OnTop);
  line += FormatAttribute(xmlc::Color, record.Color);
  line += FormatAttribute(xmlc::FontSize, record.FontSize);
  line += FormatAttribute(xmlc::FontColor, record.FontColor);
  // Escaped so that a name holding a quote or ">" cannot break the tag; reading decodes it.
  line += FormatAttribute(xmlc::FontName, escapeFontName(record.FontName));
  line += "/>";
  lines.push_back(std::move(line));
}
