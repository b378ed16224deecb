// Declarations of the library's entry points as the simulator exports them:
// the called ones with their contract signature, the others without
// parameters. Included by the exports and by tests that link the library.
#pragma once

#include "motion/motion_contract.h"
#include "sim/zelv_sim.h"

extern "C" {
#define SIM_DECLARE_TYPED(name, params) ZELV_SIM_EXPORT int ZELV_CALL name params;
#define SIM_DECLARE_UNTYPED(name) ZELV_SIM_EXPORT int ZELV_CALL name(void);
MOTION_ENTRY_POINTS(SIM_DECLARE_TYPED, SIM_DECLARE_UNTYPED)
#undef SIM_DECLARE_TYPED
#undef SIM_DECLARE_UNTYPED
}
