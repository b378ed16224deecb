// The motion library's 342 entry points, in the order the loader resolves
// them. One list drives the slots, the load table and the typed contract, so
// they can never disagree. Entry points the tool calls are typed
// (MOTION_TYPED: name, parameter list); the rest are resolved but never called
// (MOTION_UNTYPED: name).
//
// Usage: define MOTION_TYPED(name, params) and MOTION_UNTYPED(name), then
// expand MOTION_ENTRY_POINTS.
#pragma once

#define MOTION_ENTRY_POINTS(MOTION_TYPED, MOTION_UNTYPED) \
    MOTION_UNTYPED(GetResources) \
    MOTION_UNTYPED(WriteMemPortDW) \
    MOTION_UNTYPED(ReadMemPortDW) \
    MOTION_UNTYPED(DpramRead) \
    MOTION_UNTYPED(DpramWrite) \
    MOTION_UNTYPED(DpramBusyEnable) \
    MOTION_UNTYPED(DpramBusyDisable) \
    MOTION_TYPED(GnLoadDevice, (int* pnCount, int* pnDevNo, int* pnExtra)) \
    MOTION_TYPED(GnUnloadDevice, (void)) \
    MOTION_UNTYPED(GnResetDevice) \
    MOTION_TYPED(GnSetServoOn, (int nDevice, int nAxis, int nOn)) \
    MOTION_TYPED(GnGetServoOn, (int nDevice, int nAxis, int* pnOn)) \
    MOTION_TYPED(GnSetAlarmRes, (int nDevice, int nAxis)) \
    MOTION_UNTYPED(GnGetAlarmRes) \
    MOTION_UNTYPED(GnSetEmergency) \
    MOTION_UNTYPED(GnGetEmergency) \
    MOTION_UNTYPED(GnSetEmergencyAll) \
    MOTION_UNTYPED(GnGetEmergencyAll) \
    MOTION_UNTYPED(GnSetCommPeriod) \
    MOTION_UNTYPED(GnGetCommPeriod) \
    MOTION_TYPED(GnGetAxisMap, (int nDevice, int* pnMap)) \
    MOTION_TYPED(GnResetComm, (int nDevice)) \
    MOTION_UNTYPED(GnSetCommStates) \
    MOTION_UNTYPED(GnGetCommStates) \
    MOTION_TYPED(GnGetNodeInfo, (int nDevice, int nAxis, unsigned char* pInfo)) \
    MOTION_UNTYPED(GnTotalDIOChannel) \
    MOTION_UNTYPED(GnTotalAIChannel) \
    MOTION_UNTYPED(GnTotalAOChannel) \
    MOTION_UNTYPED(GnSetLogMode) \
    MOTION_UNTYPED(GnGetLogMode) \
    MOTION_UNTYPED(GnSetLogLevel) \
    MOTION_UNTYPED(GnGetLogLevel) \
    MOTION_UNTYPED(GnSetFuncLevel) \
    MOTION_UNTYPED(GnRestoreFuncLevel) \
    MOTION_UNTYPED(GnGetFuncLevel) \
    MOTION_TYPED(CfgSetMioProperty, (int nDevice, int nAxis, int nProperty, int nValue)) \
    MOTION_TYPED(CfgGetMioProperty, (int nDevice, int nAxis, int nProperty, int* pnValue)) \
    MOTION_TYPED(CfgSetUnitDist, (int nDevice, int nAxis, double dValue)) \
    MOTION_TYPED(CfgGetUnitDist, (int nDevice, int nAxis, double* pdValue)) \
    MOTION_TYPED(CfgSetUnitSpeed, (int nDevice, int nAxis, double dValue)) \
    MOTION_TYPED(CfgGetUnitSpeed, (int nDevice, int nAxis, double* pdValue)) \
    MOTION_TYPED(CfgSetSpeedPattern, (int nDevice, int nAxis, int nMode, double dWork, double dAccel, double dDecel, double dInitial, double dEnd)) \
    MOTION_TYPED(CfgGetSpeedPattern, (int nDevice, int nAxis, int* pnMode, double* pdWork, double* pdAccel, double* pdDecel, double* pdInitial, double* pdEnd)) \
    MOTION_UNTYPED(CfgSetSpeedPattern_T) \
    MOTION_UNTYPED(CfgGetSpeedPattern_T) \
    MOTION_UNTYPED(CfgSetSoftLimit) \
    MOTION_UNTYPED(CfgGetSoftLimit) \
    MOTION_UNTYPED(CfgSetVelCorrRatio) \
    MOTION_UNTYPED(CfgGetVelCorrRatio) \
    MOTION_UNTYPED(SxMove) \
    MOTION_TYPED(SxMoveStart, (int nDevice, int nAxis, double dDistance)) \
    MOTION_UNTYPED(SxMoveTo) \
    MOTION_TYPED(SxMoveToStart, (int nDevice, int nAxis, double dPosition)) \
    MOTION_TYPED(SxVMoveStart, (int nDevice, int nAxis, int nDirection)) \
    MOTION_TYPED(SxStop, (int nDevice, int nAxis)) \
    MOTION_TYPED(SxStopEmg, (int nDevice, int nAxis)) \
    MOTION_TYPED(SxIsDone, (int nDevice, int nAxis, int* pnDone)) \
    MOTION_UNTYPED(SxWaitDone) \
    MOTION_UNTYPED(SxSetCorrection) \
    MOTION_UNTYPED(SxGetCorrection) \
    MOTION_UNTYPED(MxMove) \
    MOTION_UNTYPED(MxMoveStart) \
    MOTION_UNTYPED(MxMoveTo) \
    MOTION_UNTYPED(MxMoveToStart) \
    MOTION_UNTYPED(MxVMoveStart) \
    MOTION_UNTYPED(MxStop) \
    MOTION_UNTYPED(MxStopEmg) \
    MOTION_UNTYPED(MxIsDone) \
    MOTION_UNTYPED(MxWaitDone) \
    MOTION_UNTYPED(IxMapAxes) \
    MOTION_UNTYPED(IxUnMapAxes) \
    MOTION_UNTYPED(IxSetSpeedPattern) \
    MOTION_UNTYPED(IxGetSpeedPattern) \
    MOTION_UNTYPED(IxSetSpeedPattern_T) \
    MOTION_UNTYPED(IxGetSpeedPattern_T) \
    MOTION_UNTYPED(IxLine) \
    MOTION_UNTYPED(IxLineStart) \
    MOTION_UNTYPED(IxLineTo) \
    MOTION_UNTYPED(IxLineToStart) \
    MOTION_UNTYPED(IxArcA) \
    MOTION_UNTYPED(IxArcAStart) \
    MOTION_UNTYPED(IxArcATo) \
    MOTION_UNTYPED(IxArcAToStart) \
    MOTION_UNTYPED(IxArcP) \
    MOTION_UNTYPED(IxArcPStart) \
    MOTION_UNTYPED(IxArcPTo) \
    MOTION_UNTYPED(IxArcPToStart) \
    MOTION_UNTYPED(IxArc3P) \
    MOTION_UNTYPED(IxArc3PStart) \
    MOTION_UNTYPED(IxArc3PTo) \
    MOTION_UNTYPED(IxArc3PToStart) \
    MOTION_UNTYPED(IxIsDone) \
    MOTION_UNTYPED(IxWaitDone) \
    MOTION_UNTYPED(IxStop) \
    MOTION_UNTYPED(IxStopEmg) \
    MOTION_UNTYPED(IxHelOnceStart) \
    MOTION_UNTYPED(IxSplineStart) \
    MOTION_UNTYPED(IxGetMapIndex) \
    MOTION_TYPED(HomeSetConfig, (int nDevice, int nAxis, int nItem, int nValue)) \
    MOTION_TYPED(HomeGetConfig, (int nDevice, int nAxis, int nItem, int* pnValue)) \
    MOTION_TYPED(HomeSetOffset, (int nDevice, int nAxis, double dOffset)) \
    MOTION_TYPED(HomeGetOffset, (int nDevice, int nAxis, double* pdOffset)) \
    MOTION_TYPED(HomeSetSpeedPattern, (int nDevice, int nAxis, int nPhase, int nMode, double dWork, double dAccel, double dDecel)) \
    MOTION_TYPED(HomeGetSpeedPattern, (int nDevice, int nAxis, int nPhase, int* pnMode, double* pdWork, double* pdAccel, double* pdDecel)) \
    MOTION_UNTYPED(HomeSetSpeedPattern_T) \
    MOTION_UNTYPED(HomeGetSpeedPattern_T) \
    MOTION_UNTYPED(HomeMove) \
    MOTION_TYPED(HomeMoveStart, (int nDevice, int nAxis)) \
    MOTION_UNTYPED(HomeMoveAll) \
    MOTION_UNTYPED(HomeMoveAllStart) \
    MOTION_TYPED(HomeIsBusy, (int nDevice, int nAxis, int* pnBusy)) \
    MOTION_UNTYPED(HomeWaitDone) \
    MOTION_UNTYPED(HomeSetSuccess) \
    MOTION_TYPED(HomeGetSuccess, (int nDevice, int nAxis, int* pnSuccess)) \
    MOTION_UNTYPED(OverrideSpeedSet) \
    MOTION_UNTYPED(OverrideMove) \
    MOTION_UNTYPED(OverrideMoveTo) \
    MOTION_UNTYPED(LmxStart) \
    MOTION_UNTYPED(LmxSuspend) \
    MOTION_UNTYPED(LmxResume) \
    MOTION_UNTYPED(LmxEnd) \
    MOTION_UNTYPED(LmxGetStates) \
    MOTION_UNTYPED(LmxSetSeqMode) \
    MOTION_UNTYPED(LmxGetSeqMode) \
    MOTION_UNTYPED(LmxSetNextItemId) \
    MOTION_UNTYPED(LmxGetNextItemId) \
    MOTION_UNTYPED(LmxSetNextItemParam) \
    MOTION_UNTYPED(LmxGetNextItemParam) \
    MOTION_UNTYPED(LmxGetRunItemParam) \
    MOTION_UNTYPED(LmxGetRunItemStaPos) \
    MOTION_UNTYPED(LmxGetRunItemTargPos) \
    MOTION_UNTYPED(LmxSetSeqId) \
    MOTION_UNTYPED(LmxGetSeqId) \
    MOTION_UNTYPED(StSetCount) \
    MOTION_UNTYPED(StGetCount) \
    MOTION_TYPED(StSetPosition, (int nDevice, int nAxis, int nWhich, double dValue)) \
    MOTION_TYPED(StGetPosition, (int nDevice, int nAxis, int nWhich, double* pdValue)) \
    MOTION_TYPED(StGetSpeed, (int nDevice, int nAxis, int nWhich, double* pdValue)) \
    MOTION_UNTYPED(StGetTorque) \
    MOTION_TYPED(StSxReadMotionState, (int nDevice, int nAxis, int* pnState)) \
    MOTION_UNTYPED(StIxReadMotionState) \
    MOTION_TYPED(StReadMioStatuses, (int nDevice, int nAxis, int* pnBits)) \
    MOTION_UNTYPED(StGetMotionMode) \
    MOTION_UNTYPED(StSxGetLastError) \
    MOTION_UNTYPED(StIxGetLastError) \
    MOTION_UNTYPED(DiGetLogic) \
    MOTION_UNTYPED(DiSetLogic) \
    MOTION_UNTYPED(DiGetLogicMulti) \
    MOTION_UNTYPED(DiSetLogicMulti) \
    MOTION_UNTYPED(DiGetOne) \
    MOTION_UNTYPED(DiGetMulti) \
    MOTION_UNTYPED(DoGetLogic) \
    MOTION_UNTYPED(DoSetLogic) \
    MOTION_UNTYPED(DoGetLogicMulti) \
    MOTION_UNTYPED(DoSetLogicMulti) \
    MOTION_UNTYPED(DoPutOne) \
    MOTION_UNTYPED(DoGetOne) \
    MOTION_UNTYPED(DoPutMulti) \
    MOTION_UNTYPED(DoGetMulti) \
    MOTION_UNTYPED(DioGetIomode) \
    MOTION_UNTYPED(DioSetIomode) \
    MOTION_UNTYPED(DioGetIomodeMulti) \
    MOTION_UNTYPED(DioSetIomodeMulti) \
    MOTION_UNTYPED(DioGetLogic) \
    MOTION_UNTYPED(DioSetLogic) \
    MOTION_UNTYPED(DioGetLogicMulti) \
    MOTION_UNTYPED(DioSetLogicMulti) \
    MOTION_UNTYPED(DioPutOne) \
    MOTION_UNTYPED(DioGetOne) \
    MOTION_UNTYPED(DioPutMulti) \
    MOTION_UNTYPED(DioGetMulti) \
    MOTION_UNTYPED(AiSetVoltRangeMode) \
    MOTION_UNTYPED(AiGetVoltRangeMode) \
    MOTION_UNTYPED(AiGetRangeDigit) \
    MOTION_UNTYPED(AiGetDigit) \
    MOTION_UNTYPED(AiGetVolt) \
    MOTION_UNTYPED(AiGetCurrent) \
    MOTION_UNTYPED(AoOutDigit) \
    MOTION_UNTYPED(AoOutVolt) \
    MOTION_UNTYPED(AoOutCurrent) \
    MOTION_TYPED(PmGnSetServoOn, (int nDevice, int nAxis, int nChannel, int nOn)) \
    MOTION_TYPED(PmGnGetServoOn, (int nDevice, int nAxis, int nChannel, int* pnOn)) \
    MOTION_TYPED(PmGnAlarmReset, (int nDevice, int nAxis, int nChannel, int nReset)) \
    MOTION_TYPED(PmCfgSetMioProperty, (int nDevice, int nAxis, int nChannel, int nProperty, int nValue)) \
    MOTION_TYPED(PmCfgGetMioProperty, (int nDevice, int nAxis, int nChannel, int nProperty, int* pnValue)) \
    MOTION_UNTYPED(PmCfgSetFilter) \
    MOTION_UNTYPED(PmCfgGetFilter) \
    MOTION_UNTYPED(PmCfgSetFilterAB) \
    MOTION_UNTYPED(PmCfgGetFilterAB) \
    MOTION_TYPED(PmCfgSetInMode, (int nDevice, int nAxis, int nChannel, int nMode, int nExtra)) \
    MOTION_TYPED(PmCfgGetInMode, (int nDevice, int nAxis, int nChannel, int* pnMode, int* pnExtra)) \
    MOTION_TYPED(PmCfgSetOutMode, (int nDevice, int nAxis, int nChannel, int nMode)) \
    MOTION_TYPED(PmCfgGetOutMode, (int nDevice, int nAxis, int nChannel, int* pnMode)) \
    MOTION_UNTYPED(PmCfgSetCtrlMode) \
    MOTION_UNTYPED(PmCfgGetCtrlMode) \
    MOTION_UNTYPED(PmCfgSetInOutRatio) \
    MOTION_UNTYPED(PmCfgGetInOutRatio) \
    MOTION_TYPED(PmCfgSetUnitDist, (int nDevice, int nAxis, int nChannel, double dValue)) \
    MOTION_TYPED(PmCfgGetUnitDist, (int nDevice, int nAxis, int nChannel, double* pdValue)) \
    MOTION_TYPED(PmCfgSetUnitSpeed, (int nDevice, int nAxis, int nChannel, double dValue)) \
    MOTION_TYPED(PmCfgGetUnitSpeed, (int nDevice, int nAxis, int nChannel, double* pdValue)) \
    MOTION_UNTYPED(PmCfgSetSpeedRange) \
    MOTION_UNTYPED(PmCfgGetSpeedRange) \
    MOTION_TYPED(PmCfgSetSpeedPattern, (int nDevice, int nAxis, int nChannel, int nMode, double dWork, double dAccel, double dDecel)) \
    MOTION_TYPED(PmCfgGetSpeedPattern, (int nDevice, int nAxis, int nChannel, int* pnMode, double* pdWork, double* pdAccel, double* pdDecel)) \
    MOTION_UNTYPED(PmCfgSetSpeedPattern_T) \
    MOTION_UNTYPED(PmCfgGetSpeedPattern_T) \
    MOTION_UNTYPED(PmCfgSetSoftLimit) \
    MOTION_UNTYPED(PmCfgGetSoftLimit) \
    MOTION_UNTYPED(PmCfgSetRingCntr) \
    MOTION_UNTYPED(PmCfgGetRingCntr) \
    MOTION_UNTYPED(PmCfgSetVelCorrRatio) \
    MOTION_UNTYPED(PmCfgGetVelCorrRatio) \
    MOTION_UNTYPED(PmCfgSetSeqMode) \
    MOTION_UNTYPED(PmCfgGetSeqMode) \
    MOTION_TYPED(PmHomeSetConfig, (int nDevice, int nAxis, int nChannel, int nMode, int nDirection, int nEzCount, int nEscapeDist, double dOffset)) \
    MOTION_TYPED(PmHomeGetConfig, (int nDevice, int nAxis, int nChannel, int* pnMode, int* pnDirection, int* pnEzCount, int* pnEscapeDist, double* pdOffset)) \
    MOTION_TYPED(PmHomeSetPosClrMode, (int nDevice, int nAxis, int nChannel, int nMode)) \
    MOTION_TYPED(PmHomeGetPosClrMode, (int nDevice, int nAxis, int nChannel, int* pnMode)) \
    MOTION_TYPED(PmHomeSetSpeedPattern, (int nDevice, int nAxis, int nChannel, int nMode, double dWork, double dAccel, double dDecel, double dReverse)) \
    MOTION_TYPED(PmHomeGetSpeedPattern, (int nDevice, int nAxis, int nChannel, int* pnMode, double* pdWork, double* pdAccel, double* pdDecel, double* pdReverse)) \
    MOTION_UNTYPED(PmHomeSetSpeedPattern_T) \
    MOTION_UNTYPED(PmHomeGetSpeedPattern_T) \
    MOTION_TYPED(PmHomeMoveStart, (int nDevice, int nAxis, int nChannel)) \
    MOTION_UNTYPED(PmHomeMoveAllStart) \
    MOTION_UNTYPED(PmHomeSetSuccess) \
    MOTION_TYPED(PmHomeGetSuccess, (int nDevice, int nAxis, int nChannel, int* pnSuccess)) \
    MOTION_UNTYPED(PmSxSetSpeedRatio) \
    MOTION_UNTYPED(PmSxGetSpeedRatio) \
    MOTION_TYPED(PmSxMoveStart, (int nDevice, int nAxis, int nChannel, double dDistance)) \
    MOTION_UNTYPED(PmSxMove) \
    MOTION_TYPED(PmSxMoveToStart, (int nDevice, int nAxis, int nChannel, double dPosition)) \
    MOTION_UNTYPED(PmSxMoveTo) \
    MOTION_TYPED(PmSxVMoveStart, (int nDevice, int nAxis, int nChannel, int nDirection)) \
    MOTION_TYPED(PmSxStop, (int nDevice, int nAxis, int nChannel, int nMode)) \
    MOTION_TYPED(PmSxStopEmg, (int nDevice, int nAxis, int nChannel)) \
    MOTION_TYPED(PmSxIsDone, (int nDevice, int nAxis, int nChannel, int* pnDone)) \
    MOTION_UNTYPED(PmSxWaitDone) \
    MOTION_UNTYPED(PmSxGetTargetPos) \
    MOTION_UNTYPED(PmSxSetOptIniSpeed) \
    MOTION_UNTYPED(PmSxGetOptIniSpeed) \
    MOTION_UNTYPED(PmSxSetOptRdpOffset) \
    MOTION_UNTYPED(PmSxGetOptRdpOffset) \
    MOTION_UNTYPED(PmSxSetCorrection) \
    MOTION_UNTYPED(PmSxGetCorrection) \
    MOTION_UNTYPED(PmSxSetOptSyncMode) \
    MOTION_UNTYPED(PmSxGetOptSyncMode) \
    MOTION_UNTYPED(PmSxSetOptSyncOut) \
    MOTION_UNTYPED(PmSxGetOptSyncOut) \
    MOTION_UNTYPED(PmMxMoveStart) \
    MOTION_UNTYPED(PmMxMove) \
    MOTION_UNTYPED(PmMxMoveToStart) \
    MOTION_UNTYPED(PmMxMoveTo) \
    MOTION_UNTYPED(PmMxVMoveStart) \
    MOTION_UNTYPED(PmMxStop) \
    MOTION_UNTYPED(PmMxStopEmg) \
    MOTION_UNTYPED(PmMxIsDone) \
    MOTION_UNTYPED(PmMxWaitDone) \
    MOTION_UNTYPED(PmIxMapAxes) \
    MOTION_UNTYPED(PmIxUnMapAxes) \
    MOTION_UNTYPED(PmIxSetVelCorrMode) \
    MOTION_UNTYPED(PmIxGetVelCorrMode) \
    MOTION_UNTYPED(PmIxSetSpeedPattern) \
    MOTION_UNTYPED(PmIxGetSpeedPattern) \
    MOTION_UNTYPED(PmIxSetSpeedPattern_T) \
    MOTION_UNTYPED(PmIxGetSpeedPattern_T) \
    MOTION_UNTYPED(PmIxLineStart) \
    MOTION_UNTYPED(PmIxLineToStart) \
    MOTION_UNTYPED(PmIxArcAStart) \
    MOTION_UNTYPED(PmIxArcAToStart) \
    MOTION_UNTYPED(PmIxArcPStart) \
    MOTION_UNTYPED(PmIxArcPToStart) \
    MOTION_UNTYPED(PmIxArc3PStart) \
    MOTION_UNTYPED(PmIxArc3PToStart) \
    MOTION_UNTYPED(PmIxStop) \
    MOTION_UNTYPED(PmIxStopEmg) \
    MOTION_UNTYPED(PmIxIsDone) \
    MOTION_UNTYPED(PmIxWaitDone) \
    MOTION_UNTYPED(PmOverrideSpeedSet) \
    MOTION_UNTYPED(PmOverrideSpeedSetAll) \
    MOTION_UNTYPED(PmOverrideMove) \
    MOTION_UNTYPED(PmOverrideMoveTo) \
    MOTION_UNTYPED(PmStSetCount) \
    MOTION_UNTYPED(PmStGetCount) \
    MOTION_TYPED(PmStSetPosition, (int nDevice, int nAxis, int nChannel, int nWhich, double dValue)) \
    MOTION_TYPED(PmStGetPosition, (int nDevice, int nAxis, int nChannel, int nWhich, double* pdValue)) \
    MOTION_TYPED(PmStGetSpeed, (int nDevice, int nAxis, int nChannel, int nWhich, double* pdValue)) \
    MOTION_TYPED(PmStReadMotionState, (int nDevice, int nAxis, int nChannel, int* pnState)) \
    MOTION_TYPED(PmStReadMIOStatus, (int nDevice, int nAxis, int nChannel, int* pnBits)) \
    MOTION_UNTYPED(PmLtcIsLatched) \
    MOTION_UNTYPED(PmLtcReadLatch) \
    MOTION_TYPED(ServoParamRead, (int nDevice, int nAxis, int nNumber, int nSize, int* pnValue)) \
    MOTION_UNTYPED(ServoParamWrite) \
    MOTION_TYPED(ServoParamSet, (int nDevice, int nAxis, int nNumber, int nSize, int* pnValue)) \
    MOTION_TYPED(ServoParamValidate, (int nDevice, int nAxis, int nMode)) \
    MOTION_UNTYPED(AdvFwGetVersion) \
    MOTION_UNTYPED(AdvDllGetVersion) \
    MOTION_UNTYPED(AdvDrvGetVersion) \
    MOTION_UNTYPED(AdvFwGetSystemState) \
    MOTION_UNTYPED(AdvFwDnFrame) \
    MOTION_UNTYPED(AdvFwDnFrameVerify) \
    MOTION_UNTYPED(AdvFwSystemReset) \
    MOTION_UNTYPED(AdvFwSetFwuBit) \
    MOTION_UNTYPED(AdvFwGetFwuBit) \
    MOTION_UNTYPED(AdvFwSetBootFlag) \
    MOTION_UNTYPED(AdvFwGetBootFlag) \
    MOTION_UNTYPED(AdvFwUpdateMode) \
    MOTION_UNTYPED(AdvM2NodeCfgRead) \
    MOTION_UNTYPED(AdvM2NodeCfgWrite) \
    MOTION_UNTYPED(AdvSetRtsEnable) \
    MOTION_UNTYPED(AdvGetRtsEnable) \
    MOTION_UNTYPED(AdvSetRtsMode) \
    MOTION_UNTYPED(AdvGetRtsMode) \
    MOTION_UNTYPED(AdvGetRtsMemPtr) \
    MOTION_UNTYPED(AdvSetRtsUpdateInterval) \
    MOTION_UNTYPED(AdvGetRtsUpdateInterval) \
    MOTION_UNTYPED(AdvSetCmdAckMode) \
    MOTION_UNTYPED(AdvGetCmdAckMode) \
    MOTION_UNTYPED(AdvDeviceIDRead) \
    MOTION_TYPED(GnSetABSMode, (int nDevice, int nAxis, int nMode)) \
    MOTION_UNTYPED(GnGetABSMode) \
    MOTION_TYPED(GnABSUpdate, (int nDevice)) \
    MOTION_TYPED(GnSetABSHome, (int nDevice, int nAxis)) \
    MOTION_TYPED(CfgSetRingCntr, (int nDevice, int nAxis, int nEnable, int nMin, int nMax)) \
    MOTION_UNTYPED(CfgGetRingCntr) \
    MOTION_UNTYPED(GnInitFromFile) \
    MOTION_UNTYPED(MsRegisterSlave) \
    MOTION_UNTYPED(MsUnregisterSlave) \
    MOTION_UNTYPED(MsGetMasterAxis) \
    MOTION_TYPED(GnGetAlarmCode, (int nDevice, int nAxis, int* pnCode)) \
    MOTION_UNTYPED(CfgSetRotateAxis) \
    MOTION_UNTYPED(CfgGetRotateAxisInfo) \
    MOTION_UNTYPED(SxRMove) \
    MOTION_UNTYPED(SxRMoveStart) \
    MOTION_UNTYPED(SxRMoveTo) \
    MOTION_UNTYPED(SxRMoveToStart) \
    MOTION_UNTYPED(SxRSearch) \
    MOTION_UNTYPED(SxRSearchStart) \
    MOTION_UNTYPED(AdvFlsWrite) \
    MOTION_UNTYPED(AdvFlsRead) \
    MOTION_UNTYPED(AdvFlsErase) \
    MOTION_TYPED(AdvDataRW, (int nDevice, int nCommand, int nStation, void* pFrame, void* pResponse))
