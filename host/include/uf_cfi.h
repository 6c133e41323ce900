/* Files: existence and text files read line by line. */
#ifndef UF_CFI_H_INCLUDED
#define UF_CFI_H_INCLUDED
#include "uf_defs.h"

/* status: 0 when the file exists, 1 when it does not. */
UF_EXTERN_C UFUNEXPORT int UF_CFI_ask_file_exist(const char* file_spec, int* status);

/* Opens a file: option 1 reads; file type 87 is a text file. Answers 0 and a channel, or an error. */
UF_EXTERN_C UFUNEXPORT int uc4504(const char* fspec, int option, int file_type, int* channel);
/* The next line without its end, as the host's allocation (UF_free); answers its length, or a
   negative status at the end of the file. */
UF_EXTERN_C UFUNEXPORT int uc4514a(int channel, char** line);
UF_EXTERN_C UFUNEXPORT int uc4540(int channel, int option);

/* Copies a file. Type 254 is a workbook: ".xlsx" is added to a name that has no extension. Options
   1 and 33 both replace a file at the destination, once the copy is whole. */
UF_EXTERN_C UFUNEXPORT int uc4567(const char* source, const char* destination, int copy_option, int source_type, int destination_type);

#define UF_CFI_MAX_FILE_NAME_BUFSIZE 257
/* The name of a file out of its full path (the text after the last "\"); file type 0 keeps the
   extension, 2 (a part) leaves out ".prt". */
UF_EXTERN_C UFUNEXPORT int uc4574(const char* fspec, int file_type, char fname[UF_CFI_MAX_FILE_NAME_BUFSIZE]);

#endif
