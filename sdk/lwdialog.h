/*
 * lwdialog.h -- file requester and colour picker servers and the records
 * the host's own requesters take.
 */
#ifndef LWSDK_DIALOG_H
#define LWSDK_DIALOG_H

#define LWFILEREQ_CLASS   "FileRequester"
#define LWFILEREQ_VERSION 3

#define FREQ_LOAD      1
#define FREQ_SAVE      2
#define FREQ_DIRECTORY 3
#define FREQ_MULTILOAD 4

/* path, baseName and fullName are caller buffers of bufLen bytes. */
typedef struct st_LWFileReqLocal {
    int          reqType;        /* FREQ_* */
    int          result;         /* > 0 when a name was picked */
    const char  *title;
    const char  *fileType;
    char        *path;
    char        *baseName;
    char        *fullName;
    int          bufLen;
    int        (*pickName)(void);
} LWFileReqLocal;

#define LWCOLORPICK_CLASS   "ColorPicker"
#define LWCOLORPICK_VERSION 4

/* Called while the user drags in the picker. */
typedef void LWHotColorFunc(void *data, float r, float g, float b);

typedef struct st_LWColorPickLocal {
    int              result;
    const char      *title;
    float            red, green, blue;
    void            *data;
    LWHotColorFunc  *hotFunc;
} LWColorPickLocal;

#endif
