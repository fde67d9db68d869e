#pragma once

#include <cstdint>

// Public enumerations of the instrument driver. The plug-in stores and compares these values, so
// names and numbers are part of the library's interface and must never change.
namespace vti {

enum ETrxVtiState : int32_t {
  evsClosed = 0,
  evsConnecting = 1,
  evsIdle = 2,
  evsBusy = 3,
};

enum ETrxTestCode : int32_t {
  etcMains = 1,
  etcProtEarth = 2,
  etcIRMains = 3,
  etcIRAppl = 4,
  etcIRMap = 5,
  etcIRM2N = 6,
  etcIRAppl2N = 7,
  etcEarthLeak = 8,
  etcEnclLeak = 9,
  etcPatLeak = 10,
  etcPatAux = 11,
  etcMAP = 12,
  etcPPVolt = 13,
  etcPPRes = 14,
  etcPPLeak = 15,
  etcEquipCurr = 16,
  etcAltEquip = 17,
  etcDiffLeak = 18,
  etcDELeak = 19,
  etcDAPLeak = 20,
  etcAltAppl = 21,
  etcECGTest = 22,
};

// State of the equipment outlet that powers the device under test.
enum ETrxPowerConfiguration : int32_t {
  epcOff = 1,
  epcON = 2,    // open neutral
  epcNC = 3,    // normal condition
  epcOE = 4,    // open earth
  epcONRM = 5,  // open neutral, reversed mains
  epcNCRM = 6,  // normal condition, reversed mains
  epcOERM = 7,  // open earth, reversed mains
  epcMainsL1L2 = 8,
  epcMainsL1Gnd = 9,
  epcMainsL2Gnd = 10,
  epcAccessNC = 11,
  epcAccessON = 12,
  epcAccessOE = 13,
  epcAccessNCRM = 14,
  epcAccessONRM = 15,
  epcAccessOERM = 16,
};

enum ETrxPowerPhase : int32_t {
  eppMin = 1,
  eppPowerOff = 1,
  eppNormal = 2,
  eppOpenNeutral = 3,
  eppOpenNeutralRev = 4,
  eppReversed = 5,
  eppMax = 5,
};

enum ETrxAppliedParts : int32_t {
  TRX_LEAD_NONE = -1,
  TRX_LEAD_ALL = 0,
  TRX_LEAD_FIRST = 1,
  TRX_LEAD_LAST = 5,
};

enum ETrxNomenclature : int32_t {
  enomIEC = 0,
  enomAAMI = 1,
};

enum ETrxTestLoad : int32_t {
  etlAAMI = 0,
  etlIEC = 1,
};

enum ETrxTestStd : int32_t {
  etsUserDefined = -1,
  etsNONE = 0,
  etsAAMI = 1,
  ets601 = 2,
  ets1010 = 3,
  ets353 = 4,
  etsASNZ = 5,
};

enum EWaveformType : int32_t {
  ewt_Complex30BPM = 0,
  ewt_Complex60BPM = 1,
  ewt_Complex120BPM = 2,
  ewt_Complex180BPM = 3,
  ewt_Complex240BPM = 4,
  ewt_Pulse30BPM = 5,
  ewt_Pulse60BPM = 6,
  ewt_Square0125 = 7,
  ewt_Square2 = 8,
  ewt_Sine10 = 9,
  ewt_Sine40 = 10,
  ewt_Sine50 = 11,
  ewt_Sine60 = 12,
  ewt_Sine100 = 13,
  ewt_Triangle2 = 14,
  ewt_Vfib = 15,
};

enum ETestVoltage : int32_t {
  etv_500 = 0,
  etv_250 = 1,
};

enum EAppliedParts : int32_t {
  eap_open = 0,
  eap_ground = 1,
};

enum ETrxPLConfiguration : int32_t {
  eepl_Worst = 0,
  eepl_All = 1,
};

enum EMeasType : int32_t {
  emt_ACDC = 0,
  emt_AC = 1,
  emt_DC = 2,
};

enum ETrxMAPPolarity : int32_t {
  eemp_Normal = 0,
  eemp_Reverse = 1,
};

// Whether the power-change prompt comes before or after the command that changes the power.
enum ETrxPowerOFFScreen : int32_t {
  eepo_After = 0,
  eepo_before = 1,
};

enum ETrxStopOptions : int32_t {
  TRX_STOP_BEFORE_NEWPC = 1,
  TRX_STOP_AFTER_NEWPC = 2,
};

enum ETrxTestState : int32_t {
  etsNotPerformed = 0,
  etsCompleted = 1,
  etsAborted = 2,
  etsOverflow = 3,
};

// Error numbers: the application error base 0x80040000 plus the driver's offsets. Written as
// casts of the hexadecimal values so they read as people quote them.
enum ETrxVtiErrors__ : int32_t {
  errVTI_Error = static_cast<int32_t>(0x8004A462u),
  errVTI_NotOpen = static_cast<int32_t>(0x8004A463u),
  errVTI_Busy = static_cast<int32_t>(0x8004A464u),
  errVTI_AlreadyOpen = static_cast<int32_t>(0x8004A465u),
  errVTI_TrxError = static_cast<int32_t>(0x8004A466u),
  errVTI_InvalidMuSeq = static_cast<int32_t>(0x8004A467u),
  errVTI_InvalidTest = static_cast<int32_t>(0x8004A468u),
  errVTI_NoReply = static_cast<int32_t>(0x8004A469u),
  errVTI_InvalidReply = static_cast<int32_t>(0x8004A46Au),
  errVTI_UserAbort = static_cast<int32_t>(0x8004A46Bu),
  errVTI_InvalidPort = static_cast<int32_t>(0x8004A46Cu),
};

// The driver owns the 30 numbers from errVTI_Error up to, not including, this one.
constexpr int32_t kVtiErrorRangeEnd = static_cast<int32_t>(0x8004A480u);

// Callers compare against the decimal values they see in logs and stored results.
static_assert(errVTI_Error == -2147179422 && errVTI_InvalidPort == -2147179412);
static_assert(kVtiErrorRangeEnd - errVTI_Error == 30);

// Errors of the XML persistence of a safety test, outside the enumeration.
constexpr int32_t kErrNotTrxTestElement = static_cast<int32_t>(0x8004A3C2u);
constexpr int32_t kErrCannotCreateElement = static_cast<int32_t>(0x8004A3C3u);

}  // namespace vti
