// Field maps: small objects whose members are a dataset's field objects,
// bound once per dataset and map class, then read record after record without
// looking a name up again.
//
// Declare a map class with its members once:
//
//   NRW_FIELD_MAP(TMapEmp, CODIGOPESSOAFIN, NOME, INSCFEDERAL);
//
// and bind it with PegarMapa<TMapEmp>(dataset). The dataset owns the map (in
// its Mapas); the map lives exactly as long as the dataset.
#pragma once

#include <memory>
#include <typeindex>

#include "host/dataworks/client_dataset.h"
#include "host/dataworks/field_mapper.h"
#include "host/vcl/client_dataset.h"
#include "host/vcl/object.h"

// clang-format off
#define NRW_FM_EXPAND(x) x
#define NRW_FM_GET_MACRO(_1,_2,_3,_4,_5,_6,_7,_8,_9,_10,_11,_12,_13,_14,_15,_16,_17,_18,_19,_20,_21,_22,_23,_24,_25,_26,_27,_28,_29,_30,_31,_32,_33,_34,_35,_36,_37,_38,_39,_40,_41,_42,_43,_44,_45,_46,_47,_48,NAME,...) NAME
#define NRW_FM_FE1(M,x) M(x)
#define NRW_FM_FE2(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE1(M,__VA_ARGS__))
#define NRW_FM_FE3(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE2(M,__VA_ARGS__))
#define NRW_FM_FE4(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE3(M,__VA_ARGS__))
#define NRW_FM_FE5(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE4(M,__VA_ARGS__))
#define NRW_FM_FE6(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE5(M,__VA_ARGS__))
#define NRW_FM_FE7(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE6(M,__VA_ARGS__))
#define NRW_FM_FE8(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE7(M,__VA_ARGS__))
#define NRW_FM_FE9(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE8(M,__VA_ARGS__))
#define NRW_FM_FE10(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE9(M,__VA_ARGS__))
#define NRW_FM_FE11(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE10(M,__VA_ARGS__))
#define NRW_FM_FE12(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE11(M,__VA_ARGS__))
#define NRW_FM_FE13(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE12(M,__VA_ARGS__))
#define NRW_FM_FE14(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE13(M,__VA_ARGS__))
#define NRW_FM_FE15(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE14(M,__VA_ARGS__))
#define NRW_FM_FE16(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE15(M,__VA_ARGS__))
#define NRW_FM_FE17(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE16(M,__VA_ARGS__))
#define NRW_FM_FE18(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE17(M,__VA_ARGS__))
#define NRW_FM_FE19(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE18(M,__VA_ARGS__))
#define NRW_FM_FE20(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE19(M,__VA_ARGS__))
#define NRW_FM_FE21(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE20(M,__VA_ARGS__))
#define NRW_FM_FE22(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE21(M,__VA_ARGS__))
#define NRW_FM_FE23(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE22(M,__VA_ARGS__))
#define NRW_FM_FE24(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE23(M,__VA_ARGS__))
#define NRW_FM_FE25(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE24(M,__VA_ARGS__))
#define NRW_FM_FE26(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE25(M,__VA_ARGS__))
#define NRW_FM_FE27(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE26(M,__VA_ARGS__))
#define NRW_FM_FE28(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE27(M,__VA_ARGS__))
#define NRW_FM_FE29(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE28(M,__VA_ARGS__))
#define NRW_FM_FE30(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE29(M,__VA_ARGS__))
#define NRW_FM_FE31(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE30(M,__VA_ARGS__))
#define NRW_FM_FE32(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE31(M,__VA_ARGS__))
#define NRW_FM_FE33(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE32(M,__VA_ARGS__))
#define NRW_FM_FE34(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE33(M,__VA_ARGS__))
#define NRW_FM_FE35(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE34(M,__VA_ARGS__))
#define NRW_FM_FE36(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE35(M,__VA_ARGS__))
#define NRW_FM_FE37(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE36(M,__VA_ARGS__))
#define NRW_FM_FE38(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE37(M,__VA_ARGS__))
#define NRW_FM_FE39(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE38(M,__VA_ARGS__))
#define NRW_FM_FE40(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE39(M,__VA_ARGS__))
#define NRW_FM_FE41(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE40(M,__VA_ARGS__))
#define NRW_FM_FE42(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE41(M,__VA_ARGS__))
#define NRW_FM_FE43(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE42(M,__VA_ARGS__))
#define NRW_FM_FE44(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE43(M,__VA_ARGS__))
#define NRW_FM_FE45(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE44(M,__VA_ARGS__))
#define NRW_FM_FE46(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE45(M,__VA_ARGS__))
#define NRW_FM_FE47(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE46(M,__VA_ARGS__))
#define NRW_FM_FE48(M,x,...) M(x) NRW_FM_EXPAND(NRW_FM_FE47(M,__VA_ARGS__))
#define NRW_FM_FOR_EACH(M,...) NRW_FM_EXPAND(NRW_FM_GET_MACRO(__VA_ARGS__,NRW_FM_FE48,NRW_FM_FE47,NRW_FM_FE46,NRW_FM_FE45,NRW_FM_FE44,NRW_FM_FE43,NRW_FM_FE42,NRW_FM_FE41,NRW_FM_FE40,NRW_FM_FE39,NRW_FM_FE38,NRW_FM_FE37,NRW_FM_FE36,NRW_FM_FE35,NRW_FM_FE34,NRW_FM_FE33,NRW_FM_FE32,NRW_FM_FE31,NRW_FM_FE30,NRW_FM_FE29,NRW_FM_FE28,NRW_FM_FE27,NRW_FM_FE26,NRW_FM_FE25,NRW_FM_FE24,NRW_FM_FE23,NRW_FM_FE22,NRW_FM_FE21,NRW_FM_FE20,NRW_FM_FE19,NRW_FM_FE18,NRW_FM_FE17,NRW_FM_FE16,NRW_FM_FE15,NRW_FM_FE14,NRW_FM_FE13,NRW_FM_FE12,NRW_FM_FE11,NRW_FM_FE10,NRW_FM_FE9,NRW_FM_FE8,NRW_FM_FE7,NRW_FM_FE6,NRW_FM_FE5,NRW_FM_FE4,NRW_FM_FE3,NRW_FM_FE2,NRW_FM_FE1)(M,__VA_ARGS__))
// clang-format on

#define NRW_FM_MEMBER(x) vcl::TField* x = nullptr;
#define NRW_FM_VISIT(x) visit(#x, map.x);

// A plain map class deriving from the root object class: one TField* member
// per column, named like the column; ForEachMember walks them in order.
#define NRW_FIELD_MAP(Name, ...)                              \
  struct Name : public vcl::TObject {                          \
    NRW_FM_FOR_EACH(NRW_FM_MEMBER, __VA_ARGS__)                \
    template <class Visit>                                     \
    static void ForEachMember(Name& map, Visit&& visit) {      \
      NRW_FM_FOR_EACH(NRW_FM_VISIT, __VA_ARGS__)               \
    }                                                          \
  }

// The dataset's map of class T, created and bound on first use.
template <class T>
T* PegarMapa(dataworks::TnClientDataSet* ds) {
  if (!ds->Mapas) ds->Mapas = std::make_unique<dataworks::TnMapas>();
  auto& slot = (*ds->Mapas)[std::type_index(typeid(T))];
  if (!slot) {
    auto map = std::make_unique<T>();
    dataworks::FieldMapper().MapearFields(*ds, *map);
    slot = std::move(map);
  }
  return static_cast<T*>(slot.get());
}
