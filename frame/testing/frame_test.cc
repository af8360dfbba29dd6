// The frame's entry points and the plain listing loop, driven through a
// probe plug-in loaded the way the host loads every report.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <memory>
#include <string>

#include "host/printworks/report.h"
#include "host/vcl/client_dataset.h"
#include "host/vcl/exceptions.h"
#include "tests/support/plugin_harness.h"

namespace {

using testing_support::PluginHarness;

// The probe's object counters, read through its test hooks.
struct ProbeCounters {
  ProbeCounters() {
    handle = dlopen(AGENCY_PLUGIN_DIR "/FrameProbeReport.so", RTLD_NOW | RTLD_LOCAL);
    created = reinterpret_cast<int (*)()>(dlsym(handle, "FrameProbeCreated"));
    destroyed = reinterpret_cast<int (*)()>(dlsym(handle, "FrameProbeDestroyed"));
  }
  // Left loaded, like the harness leaves its libraries.
  int Live() const { return created() - destroyed(); }
  void* handle;
  int (*created)();
  int (*destroyed)();
};

std::string NotAReport(const void* address) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%08" PRIXPTR, reinterpret_cast<uintptr_t>(address));
  return std::string("Erro: Endereço: ") + digits + " nao é de relatório.";
}

std::string MessageOfImprimir(PluginHarness& probe, void* address) {
  try {
    probe.ImprimirRaw(address);
  } catch (const vcl::Exception& e) {
    return e.what();
  }
  return "(no exception)";
}

std::unique_ptr<vcl::TClientDataSet> Rows(int count) {
  auto ds = std::make_unique<vcl::TClientDataSet>();
  ds->AddField("CODIGO", vcl::TFieldType::ftInteger);
  for (int i = count; i >= 1; --i) {
    ds->AppendRow();
    ds->SetInteger(0, i);
  }
  return ds;
}

class FrameTest : public ::testing::Test {
 protected:
  PluginHarness probe{"FrameProbeReport"};
  ProbeCounters counters;
};

TEST_F(FrameTest, RefusesAddressesThatAreNotLiveReports) {
  const int created = counters.created();
  EXPECT_EQ(MessageOfImprimir(probe, nullptr),
            "Erro: Endereço: 00000000 nao é de relatório.");
  EXPECT_EQ(MessageOfImprimir(probe, reinterpret_cast<void*>(0x1a2b)),
            "Erro: Endereço: 00001A2B nao é de relatório.");
  vcl::TObject other;
  EXPECT_EQ(MessageOfImprimir(probe, &other), NotAReport(&other));
  auto gone = std::make_unique<printworks::TnrwReport>();
  void* address = gone.get();
  gone.reset();
  EXPECT_EQ(MessageOfImprimir(probe, address), NotAReport(address));
  EXPECT_EQ(counters.created(), created);  // nothing was created
}

TEST_F(FrameTest, LibraryStartUpRegistersTheClassWhichAnswersVersao) {
  const int created = counters.created();
  ASSERT_NE(probe.Class(), nullptr);
  EXPECT_EQ(probe.Class()->ClassName(), "TFrameProbeReport");
  EXPECT_EQ(probe.Class()->Versao(), "[versao: 9.8.7.6]");
  EXPECT_EQ(counters.created(), created);
}

TEST(FrameWithoutClass, ChecksTheArgumentFirstThenTheClass) {
  PluginHarness unregistered("FrameProbeUnregistered");
  EXPECT_EQ(unregistered.Class(), nullptr);
  EXPECT_EQ(MessageOfImprimir(unregistered, nullptr),
            "Erro: Endereço: 00000000 nao é de relatório.");
  auto run = unregistered.Run({});
  EXPECT_TRUE(run->raised);
  EXPECT_EQ(run->error, "FClassDll está nil.");
}

TEST_F(FrameTest, ExceptionInsideImprimirInternoDestroysTheObjectAndPassesUnchanged) {
  printworks::TnrwReport report;
  report.GetParams().AddItem("pModo", "", "erro");
  report.GetParams().AddItem("pMensagem", "", "Código 12 não é válido");
  const int created = counters.created();
  try {
    probe.ImprimirRaw(&report);
    FAIL() << "no exception";
  } catch (const vcl::EConvertError& e) {  // the report's own class of exception
    EXPECT_STREQ(e.what(), "Código 12 não é válido");
  }
  EXPECT_EQ(counters.created(), created + 1);
  EXPECT_EQ(counters.Live(), 0);
}

TEST_F(FrameTest, ExceptionOfTheConstructorLeavesNothingToDestroy) {
  const int destroyed = counters.destroyed();
  auto run = probe.Run({{"pModo", "falha-construtor"}, {"pMensagem", "sem objeto"}});
  EXPECT_TRUE(run->raised);
  EXPECT_EQ(run->error, "sem objeto");
  EXPECT_EQ(counters.destroyed(), destroyed);
  EXPECT_EQ(counters.Live(), 0);
}

TEST_F(FrameTest, EveryCallWorksOnANewObject) {
  const int created = counters.created();
  probe.Run({{"pModo", "valores"}});
  probe.Run({{"pModo", "valores"}});
  EXPECT_EQ(counters.created(), created + 2);
  EXPECT_EQ(counters.Live(), 0);
}

TEST_F(FrameTest, PlainListingPrintsNothingForNoRows) {
  // An ordering by an unknown field would raise: the loop must not apply it.
  auto run = probe.Run({{"pOrdenar", "NAOEXISTE"}}, Rows(0));
  EXPECT_FALSE(run->raised) << run->error;
  EXPECT_TRUE(run->Lines().empty());
  auto without_data_set = probe.Run({});
  EXPECT_FALSE(without_data_set->raised);
  EXPECT_TRUE(without_data_set->Lines().empty());
}

TEST_F(FrameTest, PlainListingPrintsEachRowThenItsProgress) {
  auto run = probe.Run({{"pOrdenar", "CODIGO"}}, Rows(3));
  ASSERT_FALSE(run->raised) << run->error;
  EXPECT_EQ(run->Lines(), (std::vector<std::string>{"section 8", "progress 1/3", "section 8",
                                                    "progress 2/3", "section 8",
                                                    "progress 3/3"}));
  // Each section saw its own row, in the report's order.
  std::vector<std::string> codes;
  for (const auto& e : run->sink.Events()) {
    if (e.event == "section") codes.push_back(e.row.at(0).second);
  }
  EXPECT_EQ(codes, (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(counters.Live(), 0);
}

}  // namespace
