// Binds the members of a field map object to a dataset's fields by name,
// without regard to case; a member whose column is absent stays null.
//
// A map class lists its members once through ForEachMember (see
// frame/field_map.h), which the mapper walks.
#pragma once

#include "host/vcl/client_dataset.h"

namespace dataworks {

class TnFieldMapper {
 public:
  template <class Map>
  void MapearFields(vcl::TClientDataSet& data_set, Map& map) {
    CountBinding();
    Map::ForEachMember(map, [&](const char* name, vcl::TField*& member) {
      member = data_set.FindField(name);
    });
  }
  // How many bindings this process has made (tests prove a map binds once).
  static long Bindings();

 private:
  static void CountBinding();
};

TnFieldMapper& FieldMapper();

}  // namespace dataworks
