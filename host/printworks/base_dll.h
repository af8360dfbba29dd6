// TnrwBaseDll: the base of every report class, and the class reference
// through which the frame creates report objects and asks their version.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/printworks/param.h"
#include "host/printworks/report.h"
#include "host/vcl/object.h"

namespace printworks {

class TnDMReport;   // argument of RepInterno; the engine never hands one here
class TWinControl;  // the parameter form's parent window; opaque here

class TnrwBaseDll : public vcl::TObject {
 public:
  explicit TnrwBaseDll(TnrwReport* report);
  ~TnrwBaseDll() override;

  // Virtual operations in slot order (Versao is a class function, answered by
  // the class reference; Create is the class reference's Create).
  virtual std::vector<int> CriarListaSectionsParaZebrar();
  virtual std::vector<int> CriarListaSectionsTrocaCor();
  virtual void RepInterno(TnDMReport* dm);
  virtual void ImprimirInterno();
  virtual void DoParamChange(vcl::TObject* Sender, TnpqParamItem* _AParam);
  virtual void DoParamEnter(vcl::TObject* Sender, TnpqParamItem* _AParam);
  virtual void DoParamExit(vcl::TObject* Sender, TnpqParamItem* _AParam);
  virtual void DoZebradoBeforeSection(vcl::TObject* Sender, int section);
  virtual void DepoisConfigurar(TWinControl* _AParent);
  virtual void AntesConfigurar(TWinControl* _AParent);

  TnrwReport* Report() const { return report_; }
  // The report's main client dataset (the host's; never freed by a plug-in).
  vcl::TClientDataSet* DataSet() const { return report_->DataSet(); }

  // The parameter's current value as text, empty when not filled.
  std::string RepParam(const std::string& name) const;
  void RepPrintSection(int section) { report_->RepPrintSection(section); }
  void RepEndOfPage(bool new_page) { report_->RepEndOfPage(new_page); }

 private:
  TnrwReport* report_;
};

// A class reference to a TnrwBaseDll descendant: creates instances through a
// virtual constructor and answers the class function Versao without one.
class TnrwBaseDllClass {
 public:
  virtual ~TnrwBaseDllClass() = default;
  virtual std::string ClassName() const = 0;
  virtual std::string Versao() const = 0;
  virtual std::unique_ptr<TnrwBaseDll> Create(TnrwReport* report) const = 0;
};

// The class reference of report class T, which has a static Versao().
template <class T>
class TnrwClassOf final : public TnrwBaseDllClass {
 public:
  explicit TnrwClassOf(const char* name) : name_(name) {}
  std::string ClassName() const override { return name_; }
  std::string Versao() const override { return T::Versao(); }
  std::unique_ptr<TnrwBaseDll> Create(TnrwReport* report) const override {
    return std::make_unique<T>(report);
  }

 private:
  const char* name_;
};

}  // namespace printworks
