// TnrwReport: the host's report object handed to a plug-in's Imprimir. It
// owns the parameters, the report's own query result (DataSet) and forwards
// what the plug-in prints to a sink.
//
// Every live TnrwReport is listed in a registry of the engine, so that the
// frame can recognise a report by its address without reading through it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/printworks/param.h"
#include "host/printworks/sink.h"
#include "host/vcl/client_dataset.h"
#include "host/vcl/object.h"

namespace printworks {

class TnProgressBar;

class TnrwReport : public vcl::TObject, private TnParamListener {
 public:
  TnrwReport();
  ~TnrwReport() override;

  // True when `address` is a TnrwReport that is alive now.
  static bool IsReport(const void* address);

  // ---- What plug-ins use ----
  TnpqPowerParam& GetParams() { return params_; }
  void RepPrintSection(int section);
  // With true, the next section starts on a new page.
  void RepEndOfPage(bool new_page);
  void CSLShowProgress(int current, int total);
  void SetDelphiObjCaption(const std::string& object, const std::string& text);

  // ---- Host side ----
  // The report's own query result; nullptr when the layout has no query.
  vcl::TClientDataSet* DataSet() const { return data_set_.get(); }
  void SetDataSet(std::unique_ptr<vcl::TClientDataSet> data_set);
  void SetSink(TnReportSink* sink) { sink_ = sink; }
  TnReportSink* Sink() const { return sink_; }
  // Erases the progress bar from the terminal (the engine also does it when
  // the last record is reached and when the report is destroyed).
  void FinishProgress();

 private:
  void OnSetValue(const std::string& name, const std::string& value) override;

  TnpqPowerParam params_;
  std::unique_ptr<vcl::TClientDataSet> data_set_;
  TnReportSink* sink_ = nullptr;
  std::unique_ptr<TnProgressBar> progress_;
};

}  // namespace printworks
