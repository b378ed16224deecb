// Symbolic ids of the program's resources. Read by the C++ code and by the
// resource script, so it holds #define lines only.
#ifndef VIRUVEDE_RESOURCE_H
#define VIRUVEDE_RESOURCE_H

#define IDD_VIRUVEDE_DIALOG             102

#define IDB_LAMP_OFF                    132
#define IDB_LAMP_BLUE                   133
#define IDB_LAMP_GREEN                  134
#define IDB_LAMP_RED                    135
#define IDR_MAINFRAME                   136
#define IDB_BACKGROUND                  138

#ifndef IDC_STATIC
#define IDC_STATIC                      (-1)
#endif

// Top row and motion buttons
#define IDC_AXIS                        1001
#define IDC_CHANNEL                     1009
#define IDC_MOVE_MINUS                  1011
#define IDC_STOP                        1015
#define IDC_MOVE_PLUS                   1016
#define IDC_EMERGENCY_STOP              1020
#define IDC_DEVICE                      1039
#define IDC_NODE_TYPE                   1053
#define IDC_SERVO_ON                    1064
#define IDC_RESET_COMM                  1112

// Position monitor
#define IDC_RESET_POSITION              1002
#define IDC_COMMAND_POSITION            1012
#define IDC_FEEDBACK_POSITION           1013
#define IDC_COMMAND_SPEED               1019
#define IDC_FEEDBACK_SPEED              1021
#define IDC_MOTION_STATE                1054
#define IDC_ALARM_TEXT                  1130

// Jog mode
#define IDC_JOG_VELOCITY                1003
#define IDC_JOG_RELATIVE                1004
#define IDC_JOG_ABSOLUTE                1005
#define IDC_DISTANCE                    1006
#define IDC_POSITION1                   1007
#define IDC_POSITION2                   1008
#define IDC_DISTANCE_LABEL              1014
#define IDC_POSITION1_LABEL             1017
#define IDC_POSITION2_LABEL             1018

// Speed pattern and units
#define IDC_SPEED_MODE                  1040
#define IDC_SET_SPEED_PATTERN           1041
#define IDC_INIT_SPEED                  1042
#define IDC_END_SPEED                   1043
#define IDC_WORK_SPEED                  1044
#define IDC_ACCEL                       1045
#define IDC_DECEL                       1046
#define IDC_UNIT_DIST                   1047
#define IDC_UNIT_SPEED                  1048
#define IDC_SET_UNIT_CONFIG             1049

// Signal logic
#define IDC_EL_LOGIC                    1038
#define IDC_EL_PLUS_LOGIC               1050
#define IDC_EL_MINUS_LOGIC              1051
#define IDC_ORG_LOGIC                   1052
#define IDC_EL_MINUS_LOGIC_LABEL        1087
#define IDC_EL_PLUS_LOGIC_LABEL         1088
#define IDC_INP_LOGIC                   1090
#define IDC_ALM_LOGIC                   1093
#define IDC_EZ_LOGIC                    1095

// Repeat test
#define IDC_REPEAT_TEST                 1037
#define IDC_DELAY_TIME                  1055

// State monitor and its lamps (lamp index = id - IDC_LAMP_ALM)
#define IDC_CLEAR_ALARM                 1035
#define IDC_LAMP_ALM                    1056
#define IDC_LAMP_WARN                   1057
#define IDC_LAMP_RDY                    1058
#define IDC_LAMP_INP                    1059
#define IDC_LAMP_ORG                    1060
#define IDC_LAMP_NEL                    1061
#define IDC_LAMP_PEL                    1062
#define IDC_LAMP_SERVO                  1063

// Stop modes
#define IDC_EL_MODE                     1065
#define IDC_IN_POSITION                 1066
#define IDC_ALARM_STOP_MODE             1094

// Homing
#define IDC_HOME_MODE                   1069
#define IDC_HOME_DIR                    1070
#define IDC_HOME_OFFSET                 1071
#define IDC_HOME_SPEED_MODE1            1072
#define IDC_HOME_VEL1                   1073
#define IDC_HOME_ACCEL1                 1074
#define IDC_HOME_DECEL1                 1075
#define IDC_HOME_SPEED_MODE2            1076
#define IDC_HOME_VEL2                   1077
#define IDC_HOME_ACCEL2                 1078
#define IDC_HOME_DECEL2                 1079
#define IDC_HOME_SPEED_MODE3            1080
#define IDC_HOME_VEL3                   1081
#define IDC_HOME_ACCEL3                 1082
#define IDC_HOME_DECEL3                 1083
#define IDC_HOME_MOVE                   1084
#define IDC_HOMING_STATE                1085
#define IDC_HOME_SUCCESS                1086
#define IDC_EZ_COUNT                    1096
#define IDC_ESCAPE_DIST                 1097
#define IDC_REVERSE_VEL                 1098
#define IDC_POS_CLR_MODE                1099

// Pulse formats and group mode
#define IDC_SVON_MODE                   1067
#define IDC_SVON_MODE_LABEL             1068
#define IDC_CMD_PULSE_MODE_LABEL        1091
#define IDC_CMD_PULSE_MODE              1092
#define IDC_FB_PULSE_MODE_LABEL         1113
#define IDC_FB_PULSE_MODE               1114
#define IDC_GROUP_APPLY                 1127
#define IDC_GROUP_RELEASE               1128
#define IDC_MASTER_AXIS                 1129

// Absolute mode and ring counter
#define IDC_ABS_MODE                    1117
#define IDC_INC_MODE                    1118
#define IDC_SET_ABS_HOME                1119
#define IDC_ABS_UPDATE                  1120
#define IDC_RING_MIN_LABEL              1121
#define IDC_RING_MAX_LABEL              1122
#define IDC_RING_MIN                    1123
#define IDC_RING_MAX                    1124
#define IDC_RING_ENABLE                 1125
#define IDC_RING_DISABLE                1126

// Group boxes
#define IDC_SPEED_SETUP_GROUP           1100
#define IDC_HOME_SETUP_GROUP            1101
#define IDC_UNIT_SETUP_GROUP            1102
#define IDC_LOGIC_SETUP_GROUP           1103
#define IDC_MODE_SETUP_GROUP            1104
#define IDC_PULSE_MODE_GROUP            1105
#define IDC_HOME_PHASE2_GROUP           1106
#define IDC_HOME_PHASE1_GROUP           1107
#define IDC_HOME_PHASE3_GROUP           1108
#define IDC_STATE_MONITOR_GROUP         1109
#define IDC_JOG_MODE_GROUP              1110
#define IDC_POSITION_MONITOR_GROUP      1111
#define IDC_ABS_MODE_GROUP              1115
#define IDC_RING_COUNTER_GROUP          1116

#endif
