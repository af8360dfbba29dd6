#include "host/printworks/report.h"

#include <mutex>
#include <unordered_set>

#include "host/printworks/progress_bar.h"

namespace printworks {

namespace {

// The addresses of the live reports. Imprimir asks here before it treats an
// address as a report, so nothing is ever read through an unknown address.
struct Registry {
  std::mutex mutex;
  std::unordered_set<const void*> live;
};

Registry& Reports() {
  static Registry* registry = new Registry;  // never destroyed: reports may outlive statics
  return *registry;
}

}  // namespace

TnrwReport::TnrwReport()
    : progress_(std::make_unique<TnProgressBar>(stderr, TnProgressBar::StderrIsTerminal())) {
  params_.SetListener(this);
  Registry& r = Reports();
  std::lock_guard<std::mutex> lock(r.mutex);
  r.live.insert(static_cast<const void*>(this));
}

TnrwReport::~TnrwReport() {
  {
    Registry& r = Reports();
    std::lock_guard<std::mutex> lock(r.mutex);
    r.live.erase(static_cast<const void*>(this));
  }
  params_.SetListener(nullptr);
}

bool TnrwReport::IsReport(const void* address) {
  if (!address) return false;
  Registry& r = Reports();
  std::lock_guard<std::mutex> lock(r.mutex);
  return r.live.count(address) != 0;
}

void TnrwReport::RepPrintSection(int section) {
  if (sink_) sink_->OnSection(section, params_, data_set_.get());
}

void TnrwReport::RepEndOfPage(bool new_page) {
  if (new_page && sink_) sink_->OnPageEnd();
}

void TnrwReport::CSLShowProgress(int current, int total) {
  if (sink_) sink_->OnProgress(current, total);
  progress_->Show(current, total);
}

void TnrwReport::SetDelphiObjCaption(const std::string& object, const std::string& text) {
  if (sink_) sink_->OnCaption(object, text);
}

void TnrwReport::SetDataSet(std::unique_ptr<vcl::TClientDataSet> data_set) {
  data_set_ = std::move(data_set);
}

void TnrwReport::FinishProgress() { progress_->Finish(); }

void TnrwReport::OnSetValue(const std::string& name, const std::string& value) {
  if (sink_) sink_->OnSet(name, value);
}

}  // namespace printworks
