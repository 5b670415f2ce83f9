#pragma once
// What crosses between the instrument library and the OPC client library, a
// shared object loaded at run time when it is present. Both sides include
// this header: the loader and the tests' stand-in library.
//
// Entry points use the platform's C calling convention. A handle is a
// 32-bit integer the library chooses. Strings go in as null-terminated
// UTF-16 and come out as UTF-16 that the library owns until its next call.
// Values cross as iOPCVariant, tagged with the 16-bit variant type number.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

// The library's file, found by the system's library search.
#define IOPC_LIBRARY_FILE "libiOPC2.so"

// Variant type numbers.
enum {
  iOPCVarEmpty = 0,
  iOPCVarSmallint = 2,
  iOPCVarInteger = 3,
  iOPCVarSingle = 4,
  iOPCVarDouble = 5,
  iOPCVarDate = 7,
  iOPCVarString = 8,
  iOPCVarBoolean = 11,
  iOPCVarShortInt = 16,
  iOPCVarByte = 17,
  iOPCVarWord = 18,
  iOPCVarLongWord = 19,
  iOPCVarInt64 = 20
};

// Integer kinds and Booleans (0 or 1) in Int; single, double and date in
// Real; a string in Text (owned by the side that made the value, valid
// until that side's next call).
typedef struct iOPCVariant {
  uint16_t VarType;
  int64_t Int;
  double Real;
  const uint16_t* Text;
} iOPCVariant;

typedef struct iOPCGuid {
  uint32_t Data1;
  uint16_t Data2;
  uint16_t Data3;
  uint8_t Data4[8];
} iOPCGuid;

// {7F440F9E-2014-4D28-8C84-83B938DBACC0}
#define IOPC_IID_ITEM_CALLBACK                       \
  {                                                  \
    0x7F440F9E, 0x2014, 0x4D28, {                    \
      0x8C, 0x84, 0x83, 0xB9, 0x38, 0xDB, 0xAC, 0xC0 \
    }                                                \
  }
// {A2E9253A-E335-4D6E-A298-CFA504F5B837}
#define IOPC_IID_MANAGER_CALLBACK                    \
  {                                                  \
    0xA2E9253A, 0xE335, 0x4D6E, {                    \
      0xA2, 0x98, 0xCF, 0xA5, 0x04, 0xF5, 0xB8, 0x37 \
    }                                                \
  }

// The callbacks are objects whose operation table starts with query,
// add-reference and release; the last two do no counting.
typedef struct iOPCItemCallback iOPCItemCallback;
typedef struct iOPCItemCallbackVtbl {
  int32_t (*QueryInterface)(iOPCItemCallback* Self, const iOPCGuid* Iid, void** Object);
  uint32_t (*AddRef)(iOPCItemCallback* Self);
  uint32_t (*Release)(iOPCItemCallback* Self);
  void (*NewData)(iOPCItemCallback* Self, int32_t Unused);
} iOPCItemCallbackVtbl;
struct iOPCItemCallback {
  const iOPCItemCallbackVtbl* Vtbl;
};

typedef struct iOPCManagerCallback iOPCManagerCallback;
typedef struct iOPCManagerCallbackVtbl {
  int32_t (*QueryInterface)(iOPCManagerCallback* Self, const iOPCGuid* Iid, void** Object);
  uint32_t (*AddRef)(iOPCManagerCallback* Self);
  uint32_t (*Release)(iOPCManagerCallback* Self);
  void (*BeforeGroupUpdate)(iOPCManagerCallback* Self, int32_t GroupHandle);
  void (*AfterGroupUpdate)(iOPCManagerCallback* Self, int32_t GroupHandle);
} iOPCManagerCallbackVtbl;
struct iOPCManagerCallback {
  const iOPCManagerCallbackVtbl* Vtbl;
};

// The entry points the instrument library calls.
typedef void (*iOPCSignalAddFn)(int32_t* Handle, const uint16_t* ComputerName, const uint16_t* ServerName,
                                const uint16_t* ItemName, const uint16_t* GroupName, int32_t UpdateRate,
                                uint8_t Suspended, uint16_t RequestedType, iOPCItemCallback* Callback);
typedef void (*iOPCHandleFn)(int32_t Handle);
typedef void (*iOPCGetFlagFn)(int32_t Handle, uint8_t* Value);
typedef void (*iOPCSignalSendDataFn)(int32_t Handle, const iOPCVariant* Value);
typedef void (*iOPCSignalGetDataFn)(int32_t Handle, iOPCVariant* Value);
typedef void (*iOPCSignalGetTimeStampFn)(int32_t Handle, double* Value);
typedef void (*iOPCSignalGetQualityFn)(int32_t Handle, uint16_t* Value);
typedef void (*iOPCGroupAddFn)(int32_t* Handle, const uint16_t* Name, const uint16_t* ComputerName,
                               const uint16_t* OPCServerName, int32_t UpdateRate,
                               iOPCManagerCallback* Callback);
typedef void (*iOPCGroupSetUpdateRateFn)(int32_t Handle, int32_t UpdateRate);
typedef void (*iOPCVoidFn)(void);
typedef int32_t (*iOPCCountFn)(void);
typedef void (*iOPCServerConnectionGetNameFn)(const uint16_t** Name, int32_t Index);
typedef uint8_t (*iOPCManagerCreatedFn)(void);
typedef void (*iOPCGetLastCallErrorStringFn)(const uint16_t** Text);

#ifdef __cplusplus
}
#endif
