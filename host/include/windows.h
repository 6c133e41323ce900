/* The few Win32 calls the module makes, over the stand-in's file system mapping. */
#ifndef VORTA_WINDOWS_H_INCLUDED
#define VORTA_WINDOWS_H_INCLUDED
#include "uf_defs.h"

typedef int BOOL;
typedef unsigned long DWORD;
typedef void* HANDLE;
typedef void* HWND;
typedef struct HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef const char* LPCSTR;
typedef long long (*FARPROC)(void);
#define SW_SHOWNORMAL 1
#define SW_SHOW 5
#define WINAPI

UF_EXTERN_C UFUNEXPORT HMODULE LoadLibraryA(LPCSTR lib_file_name);
UF_EXTERN_C UFUNEXPORT FARPROC GetProcAddress(HMODULE module, LPCSTR proc_name);
UF_EXTERN_C UFUNEXPORT BOOL FreeLibrary(HMODULE module);
UF_EXTERN_C UFUNEXPORT BOOL DeleteFileA(LPCSTR file_name);
/* Opens a file or folder with its associated program; answers a value above 32 on success. */
UF_EXTERN_C UFUNEXPORT HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR operation, LPCSTR file, LPCSTR parameters, LPCSTR directory, int show_cmd);
#define LoadLibrary LoadLibraryA
#define DeleteFile DeleteFileA
#define ShellExecute ShellExecuteA

#endif
