#include "platform/CodePageGuess.h"

#include <unicode/ucsdet.h>

#include <QString>
#include <algorithm>
#include <cmath>
#include <map>

#include "platform/TextCodec.h"

namespace tess {

namespace {

// The scripts whose letters a code page is made for; Han counts for the four East Asian pages.
struct TCandidateInfo {
  TCodePage page;
  std::vector<QChar::Script> scripts;
  // The names ICU's detector gives the charsets this code page reads (an ISO page stands for the
  // Windows page that extends it).
  std::vector<const char*> detected;
  // For the pages of Latin script: the letters outside ASCII that the languages the page is made
  // for write (UTF-8). They tell these pages apart where the script cannot: a Turkish "ş" read as
  // Windows-1252 is an Icelandic "þ", a letter too, but not one of French, German or Spanish.
  const char* ownLetters = nullptr;
};

constexpr const char* kWesternLetters = "àáâãäåæçèéêëìíîïñòóôõöøùúûüýÿßœšžÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÑÒÓÔÕÖØÙÚÛÜÝŸŒŠŽ";
constexpr const char* kCentralLetters =
    "ąćęłńóśźżáčďéěíňřšťúůýžĺľŕôäöőüűăâîşţđçĄĆĘŁŃÓŚŹŻÁČĎÉĚÍŇŘŠŤÚŮÝŽĹĽŔÔÄÖŐÜŰĂÂÎŞŢĐÇ";
constexpr const char* kTurkishLetters = "çğıöşüâîûéÇĞİÖŞÜÂÎÛÉ";
constexpr const char* kBalticLetters = "āčēģīķļņšūžąęėįųäõöüĀČĒĢĪĶĻŅŠŪŽĄĘĖĮŲÄÕÖÜ";
constexpr const char* kVietnameseLetters = "àáâãèéêìíòóôõùúýăđơưÀÁÂÃÈÉÊÌÍÒÓÔÕÙÚÝĂĐƠƯ";

const std::vector<TCandidateInfo>& Candidates() {
  static const std::vector<TCandidateInfo> list = {
      {{"windows-1252", "Western European (Windows-1252)"},
       {QChar::Script_Latin},
       {"windows-1252", "ISO-8859-1"},
       kWesternLetters},
      {{"Shift_JIS", "Japanese (Shift_JIS)"},
       {QChar::Script_Han, QChar::Script_Hiragana, QChar::Script_Katakana},
       {"Shift_JIS"}},
      {{"GBK", "Chinese Simplified (GBK)"}, {QChar::Script_Han}, {"GB18030"}},
      {{"Big5", "Chinese Traditional (Big5)"}, {QChar::Script_Han}, {"Big5"}},
      {{"EUC-KR", "Korean (EUC-KR)"}, {QChar::Script_Hangul, QChar::Script_Han}, {"EUC-KR"}},
      {{"windows-1250", "Central European (Windows-1250)"},
       {QChar::Script_Latin},
       {"windows-1250", "ISO-8859-2"},
       kCentralLetters},
      {{"windows-1251", "Cyrillic (Windows-1251)"}, {QChar::Script_Cyrillic}, {"windows-1251", "ISO-8859-5"}},
      {{"windows-1253", "Greek (Windows-1253)"}, {QChar::Script_Greek}, {"windows-1253", "ISO-8859-7"}},
      {{"windows-1254", "Turkish (Windows-1254)"},
       {QChar::Script_Latin},
       {"windows-1254", "ISO-8859-9"},
       kTurkishLetters},
      {{"windows-1255", "Hebrew (Windows-1255)"}, {QChar::Script_Hebrew}, {"windows-1255", "ISO-8859-8"}},
      {{"windows-1256", "Arabic (Windows-1256)"}, {QChar::Script_Arabic}, {"windows-1256", "ISO-8859-6"}},
      {{"windows-1257", "Baltic (Windows-1257)"}, {QChar::Script_Latin}, {}, kBalticLetters},
      {{"windows-1258", "Vietnamese (Windows-1258)"}, {QChar::Script_Latin}, {}, kVietnameseLetters},
  };
  return list;
}

bool IsAscii(const std::string& bytes) {
  return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// ICU's confidence (0 to 100) for each charset it detects in the text.
std::map<std::string, int> DetectedConfidence(const std::string& text) {
  std::map<std::string, int> confidence;
  UErrorCode status = U_ZERO_ERROR;
  UCharsetDetector* detector = ucsdet_open(&status);
  if (U_FAILURE(status)) return confidence;
  ucsdet_setText(detector, text.data(), static_cast<int32_t>(text.size()), &status);
  int32_t count = 0;
  const UCharsetMatch** matches = U_SUCCESS(status) ? ucsdet_detectAll(detector, &count, &status) : nullptr;
  for (int32_t i = 0; matches && U_SUCCESS(status) && i < count; ++i) {
    UErrorCode matchStatus = U_ZERO_ERROR;
    const char* name = ucsdet_getName(matches[i], &matchStatus);
    const int32_t value = ucsdet_getConfidence(matches[i], &matchStatus);
    if (U_SUCCESS(matchStatus) && name) {
      int& best = confidence[name];
      best = std::max<int>(best, value);
    }
  }
  ucsdet_close(detector);
  return confidence;
}

// The share (0 to 1) of the characters outside ASCII that are letters of the code page's own
// scripts, or for a page of Latin script its own letters. Half-width katakana count half: they
// read as text, but rarely make up whole names.
double LetterShare(const QString& text, const TCandidateInfo& candidate) {
  const std::vector<QChar::Script>& scripts = candidate.scripts;
  const QString own = candidate.ownLetters ? QString::fromUtf8(candidate.ownLetters) : QString();
  double good = 0;
  int total = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char32_t c = text.at(i).isHighSurrogate() && i + 1 < text.size()
                           ? QChar::surrogateToUcs4(text.at(i), text.at(i + 1))
                           : text.at(i).unicode();
    if (c > 0xFFFF) ++i;
    if (c < 0x80) continue;
    ++total;
    if (!QChar::isLetter(c) && QChar::category(c) != QChar::Mark_NonSpacing) continue;
    if (!own.isEmpty()) {
      // Vietnamese tones are combining marks after the letter.
      if (QChar::category(c) == QChar::Mark_NonSpacing || (c <= 0xFFFF && own.contains(QChar(char16_t(c))))) good += 1;
      continue;
    }
    const QChar::Script script = QChar::script(c);
    if (std::find(scripts.begin(), scripts.end(), script) == scripts.end()) continue;
    good += c >= 0xFF61 && c <= 0xFF9F ? 0.5 : 1.0;
  }
  return total == 0 ? 1.0 : good / total;
}

}  // namespace

const std::vector<TCodePage>& CandidateCodePages() {
  static const std::vector<TCodePage> pages = [] {
    std::vector<TCodePage> list;
    for (const TCandidateInfo& c : Candidates()) list.push_back(c.page);
    return list;
  }();
  return pages;
}

std::string CodePageCaption(const std::string& name) {
  for (const TCodePage& page : CandidateCodePages())
    if (name == page.name) return page.caption;
  return name;
}

std::string FindCodePage(const std::string& name) {
  const QString wanted = QString::fromStdString(name);
  for (const TCodePage& page : CandidateCodePages())
    if (wanted.compare(QLatin1String(page.name), Qt::CaseInsensitive) == 0) return page.name;
  return {};
}

TCodePageGuess GuessCodePage(const std::vector<std::string>& names) {
  TCodePageGuess guess;
  guess.name = Candidates().front().page.name;
  std::vector<const std::string*> texts;
  std::string joined;
  for (const std::string& name : names) {
    if (IsAscii(name)) continue;
    texts.push_back(&name);
    joined += name;
    joined += '\n';
  }
  guess.fromNames = !texts.empty();
  if (!guess.fromNames) {
    for (const TCodePage& page : CandidateCodePages()) guess.ranked.push_back(page.name);
    return guess;
  }

  const std::map<std::string, int> detected = DetectedConfidence(joined);
  struct TScore {
    const TCandidateInfo* candidate;
    double score;
  };
  auto confidenceOf = [&](const TCandidateInfo& c) {
    int confidence = 0;
    for (const char* name : c.detected)
      if (auto it = detected.find(name); it != detected.end()) confidence = std::max(confidence, it->second);
    return confidence;
  };
  // On a few short names the detector tells Latin text from the rest well, but guesses the
  // language among the Latin pages poorly: they share its best confidence, and their own letters
  // choose among them.
  int latinConfidence = 0;
  for (const TCandidateInfo& c : Candidates())
    if (c.ownLetters) latinConfidence = std::max(latinConfidence, confidenceOf(c));
  std::vector<TScore> scores;
  for (const TCandidateInfo& c : Candidates()) {
    const TextCodec codec(c.page.name);
    if (!std::all_of(texts.begin(), texts.end(), [&](const std::string* t) { return codec.Decodes(*t); })) continue;
    const int confidence = c.ownLetters ? latinConfidence : confidenceOf(c);
    const double letters = LetterShare(codec.ToUnicode(joined), c);
    scores.push_back({&c, 0.6 * confidence / 100.0 + 0.4 * letters});
  }
  // Equal scores go to the default first, then to the Latin pages of the fewest languages, whose
  // own letters are the narrowest: names that read alike in Turkish and Central European letters
  // are rather Turkish than Polish. The rest keep the order of the candidates.
  auto tieRank = [](const TScore& s) {
    static const std::vector<std::string> latinOrder = {"windows-1252", "windows-1254", "windows-1257", "windows-1258",
                                                        "windows-1250"};
    const auto at = std::find(latinOrder.begin(), latinOrder.end(), s.candidate->page.name);
    return at != latinOrder.end() ? at - latinOrder.begin()
                                  : static_cast<std::ptrdiff_t>(latinOrder.size()) + (s.candidate - &Candidates()[0]);
  };
  std::stable_sort(scores.begin(), scores.end(), [&](const TScore& a, const TScore& b) {
    if (std::abs(a.score - b.score) > 1e-9) return a.score > b.score;
    return tieRank(a) < tieRank(b);
  });
  for (const TScore& s : scores) {
    guess.ranked.push_back(s.candidate->page.name);
    if (&s != &scores.front() && scores.front().score - s.score < kCloseCodePageScore)
      guess.close.push_back(s.candidate->page.name);
  }
  if (!scores.empty()) guess.name = scores.front().candidate->page.name;
  return guess;
}

}  // namespace tess
