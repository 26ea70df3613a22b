#include "editor/app/FormTextEncoding.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/CodePageGuess.h"
#include "platform/TextCodec.h"
#include "ui/DialogButtons.h"

namespace tess {

namespace {

// Names outside ASCII show the difference between code pages; the preview lists those first.
constexpr int kPreviewNames = 40;
// Each candidate's entry reads the first few of them, so the author compares them at a glance.
constexpr size_t kSampleNames = 3;

bool IsAscii(const std::string& s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

TFormTextEncoding::TFormTextEncoding(std::vector<std::string> names, const std::string& current, QWidget* owner)
    : QDialog(owner), names_(std::move(names)) {
  setWindowTitle("Text Encoding");
  setObjectName("FormTextEncoding");
  std::stable_partition(names_.begin(), names_.end(), [](const std::string& n) { return !IsAscii(n); });
  if (names_.size() > kPreviewNames) names_.resize(kPreviewNames);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      new QLabel("The code page the project's text is stored in. Names are shown and typed in it;\n"
                 "the stored bytes do not change.",
                 this));
  auto* lists = new QHBoxLayout;
  candidates_ = new QListWidget(this);
  candidates_->setObjectName("CodePages");
  for (const TCodePage& page : CandidateCodePages()) {
    const TextCodec codec(page.name);
    const bool readsAll =
        std::all_of(names_.begin(), names_.end(), [&](const std::string& n) { return codec.Decodes(n); });
    QStringList sample;
    for (size_t i = 0; i < names_.size() && i < kSampleNames && !IsAscii(names_[i]); ++i)
      sample << codec.ToUnicode(names_[i]);
    auto* item =
        new QListWidgetItem(QString::fromLatin1(page.caption) + (readsAll ? "" : "  (cannot read every name)") +
                                (sample.isEmpty() ? QString() : ":  " + sample.join(", ")),
                            candidates_);
    item->setData(Qt::UserRole, QString::fromLatin1(page.name));
  }
  preview_ = new QListWidget(this);
  preview_->setObjectName("Preview");
  preview_->setSelectionMode(QAbstractItemView::NoSelection);
  lists->addWidget(candidates_, 1);
  lists->addWidget(preview_, 1);
  layout->addLayout(lists, 1);
  layout->addWidget(MakeDialogButtons(this));
  connect(candidates_, &QListWidget::currentRowChanged, this, [this] { ShowPreview(); });
  SelectCodePage(current);
  resize(640, 420);
}

std::string TFormTextEncoding::CodePage() const {
  const QListWidgetItem* item = candidates_->currentItem();
  return item ? item->data(Qt::UserRole).toString().toStdString() : TextCodec::Current().Name();
}

void TFormTextEncoding::SelectCodePage(const std::string& name) {
  for (int i = 0; i < candidates_->count(); ++i)
    if (candidates_->item(i)->data(Qt::UserRole).toString().toStdString() == name) candidates_->setCurrentRow(i);
  if (candidates_->currentRow() < 0) candidates_->setCurrentRow(0);
}

void TFormTextEncoding::ShowPreview() {
  preview_->clear();
  const TextCodec codec(CodePage());
  for (const std::string& name : names_) preview_->addItem(codec.ToUnicode(name));
}

}  // namespace tess
