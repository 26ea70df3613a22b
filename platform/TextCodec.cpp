#include "platform/TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <memory>

#include "core/NameEncoding.h"

namespace tess {

TextCodec::TextCodec(const std::string& name) : name_(name) {
  QStringDecoder probe(name_.c_str());
  if (!probe.isValid()) name_ = "windows-1252";
}

namespace {

// The decoder of the code page last read. Opening a converter looks its name up among the
// platform's aliases, which costs far more than decoding a name: a window listing thousands of
// entries decodes them all through one decoder. Stateless, each text is decoded on its own, as a
// fresh decoder would.
QStringDecoder& DecoderFor(const std::string& name) {
  thread_local std::string decoderName;
  thread_local std::unique_ptr<QStringDecoder> decoder;
  if (!decoder || decoderName != name) {
    decoder = std::make_unique<QStringDecoder>(name.c_str(), QStringConverter::Flag::Stateless);
    decoderName = name;
  }
  return *decoder;
}

}  // namespace

QString TextCodec::ToUnicode(const std::string& bytes) const {
  return DecoderFor(name_).decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string TextCodec::FromUnicode(const QString& text) const {
  QStringEncoder encoder(name_.c_str());
  QByteArray bytes = encoder.encode(text);
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool TextCodec::Decodes(const std::string& bytes) const {
  QStringDecoder decoder(name_.c_str(), QStringConverter::Flag::Stateless);
  const QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  if (decoder.hasError()) return false;
  // Some converters pass bytes they lack through as C1 controls or substitute U+001A instead of
  // reporting them; stored names hold neither.
  const qsizetype substitutes = std::count(bytes.begin(), bytes.end(), '\x1A');
  if (text.count(QChar(0x1A)) != substitutes) return false;
  return std::none_of(text.begin(), text.end(), [](QChar c) {
    return c == QChar::ReplacementCharacter || (c.unicode() >= 0x80 && c.unicode() <= 0x9F);
  });
}

bool TextCodec::CanEncode(const QString& text, QString* refused) const {
  auto storable = [this](const QString& part) {
    if (part.contains(QChar::ReplacementCharacter)) return false;
    QStringEncoder encoder(name_.c_str(), QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(part);
    if (encoder.hasError()) return false;
    // A character the code page only approximates (a best fit) would come back as another one.
    return ToUnicode(std::string(bytes.constData(), static_cast<size_t>(bytes.size()))) == part;
  };
  if (storable(text)) return true;
  if (refused) {
    refused->clear();
    for (qsizetype i = 0; i < text.size();) {
      const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
      const QString character = text.mid(i, length);
      if (!storable(character)) {
        *refused = character;
        break;
      }
      i += length;
    }
  }
  return false;
}

namespace {

// File-name lookups in core read stored names through the current code page.
class TCodecNameConverter : public TNameConverter {
 public:
  explicit TCodecNameConverter(const TextCodec& codec) : codec_(codec) {}
  std::optional<std::string> ToUtf8(const std::string& bytes) const override {
    if (!codec_.Decodes(bytes)) return std::nullopt;
    return codec_.ToUnicode(bytes).toStdString();
  }
  std::optional<std::string> FromUtf8(const std::string& text) const override {
    const QString unicode = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    if (!codec_.CanEncode(unicode)) return std::nullopt;
    return codec_.FromUnicode(unicode);
  }

 private:
  TextCodec codec_;
};

TextCodec& CurrentCodec() {
  static TextCodec codec = [] {
    TextCodec first;
    SetNameConverter(std::make_shared<TCodecNameConverter>(first));
    return first;
  }();
  return codec;
}

}  // namespace

const TextCodec& TextCodec::Current() { return CurrentCodec(); }
void TextCodec::SetCurrent(const std::string& name) {
  CurrentCodec() = TextCodec(name);
  SetNameConverter(std::make_shared<TCodecNameConverter>(CurrentCodec()));
}

}  // namespace tess
