#include "platform/TextCodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tess {

TextCodec::TextCodec(const std::string& name) : name_(name) {
  QStringDecoder probe(name_.c_str());
  if (!probe.isValid()) name_ = "windows-1252";
}

QString TextCodec::ToUnicode(const std::string& bytes) const {
  QStringDecoder decoder(name_.c_str());
  return decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

std::string TextCodec::FromUnicode(const QString& text) const {
  QStringEncoder encoder(name_.c_str());
  QByteArray bytes = encoder.encode(text);
  return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

namespace {
TextCodec& CurrentCodec() {
  static TextCodec codec;
  return codec;
}
}  // namespace

const TextCodec& TextCodec::Current() { return CurrentCodec(); }
void TextCodec::SetCurrent(const std::string& name) { CurrentCodec() = TextCodec(name); }

}  // namespace tess
