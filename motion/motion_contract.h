// Calling contract of the motion library ZelvREzid2.DLL: every entry point
// returns an int status, 0 = success. Shared by the tool (through its slots)
// and by our simulator (which exports these names undecorated).
#pragma once

#include "motion/motion_entry_points.h"

#if defined(_WIN32) && !defined(_WIN64)
#define ZELV_CALL __stdcall
#else
#define ZELV_CALL
#endif

// PFN_<name>: the typed pointer of each entry point the tool calls.
#define MOTION_DECLARE_PFN(name, params) typedef int (ZELV_CALL* PFN_##name) params;
#define MOTION_DECLARE_NO_PFN(name)
MOTION_ENTRY_POINTS(MOTION_DECLARE_PFN, MOTION_DECLARE_NO_PFN)
#undef MOTION_DECLARE_PFN
#undef MOTION_DECLARE_NO_PFN

// Entry points that are resolved but never called share one untyped slot type.
typedef int (ZELV_CALL* PFN_MotionUntyped)(void);

// Sizes and codes fixed by the library.
enum {
    MOTION_MAX_DEVICES = 16,       // length of GnLoadDevice's device list
    MOTION_MAX_AXES = 30,          // nodes 0..29 of one board
    MOTION_NODE_INFO_SIZE = 22,    // GnGetNodeInfo record
    MOTION_NODE_INFO_TYPE_OFFSET = 20, // 16-bit node type, little-endian
    MOTION_ADV_KTRB04_COMMAND = 29,    // AdvDataRW command of KTRB04-M2 frames
    MOTION_KTRB04_FRAME_SIZE = 26
};

// Node types reported by GnGetNodeInfo.
enum {
    MOTION_NODE_TYPE_SERVO = 0,
    MOTION_NODE_TYPE_KESTRALINE = 1,
    MOTION_NODE_TYPE_KTRB04 = 2
};
