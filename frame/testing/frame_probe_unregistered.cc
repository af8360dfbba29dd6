// FrameProbeUnregistered: a library that carries the frame but never
// registers a report class, so FClassDll stays null.
#include "frame/nrw_base_dll_reg.h"

// Pulls the frame's entry points into the library.
NRW_EXPORT void* FrameProbeEntryPoint() { return reinterpret_cast<void*>(&Imprimir); }
