#include "host/dataworks/client_dataset.h"

#include <atomic>

namespace dataworks {

namespace {
std::atomic<int> g_live_data_sets{0};
}  // namespace

TnClientDataSet::TnClientDataSet() { ++g_live_data_sets; }

TnClientDataSet::~TnClientDataSet() { --g_live_data_sets; }

int TnClientDataSet::LiveCount() { return g_live_data_sets.load(); }

}  // namespace dataworks
