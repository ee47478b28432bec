/*
 * padsim.sys: a stand-in for the pad's kernel filter driver, loaded by Wine as the kernel
 * service velqorgpx. It is the PnP function driver of the one listed device that plays
 * the pad (hardware ids of its keyboard function and of its mouse collection): started
 * on it, it exposes both driver interface classes; removed, it withdraws them. Opening
 * either interface makes it take the published profile from the service key and the
 * package file, and write what it found to a text record (format in padsim/README.md).
 */
#include <ntifs.h>

/* Pool tag "PsPd" as it shows in a pool dump (stored little-endian). */
#define PADSIM_POOL_TAG 0x64507350u

enum {
    kSignatureBytes = 8,
    kVersion = 0x00010000,
    kImageOffset = 12,
    kImageBytes = 150560,
    kSummaryOffset = kImageOffset + kImageBytes,
    kSummaryBytes = 924,
    kPackageBytes = kSummaryOffset + kSummaryBytes,
    kValueBytes = 1024,
    kRecordBytes = 2048,
};

static const char kSignature[kSignatureBytes] = {'V', 'Q', 'R', ' ', ' ', 'G', 'P', 'X'};

/* DriverInterfaceA and DriverInterfaceB. */
static const GUID kInterfaceClasses[] = {
    {0xD7A09AA3, 0x1BCA, 0x42D4, {0x90, 0x78, 0x12, 0xB7, 0x1D, 0xE8, 0x21, 0x2F}},
    {0xD7A09AA4, 0x1BCA, 0x42D4, {0x90, 0x78, 0x12, 0xB7, 0x1D, 0xE8, 0x21, 0x2F}},
};

enum { kInterfaceCount = sizeof(kInterfaceClasses) / sizeof(kInterfaceClasses[0]) };

typedef struct PadDevice {
    DEVICE_OBJECT* lower;
    UNICODE_STRING links[kInterfaceCount];
    BOOLEAN enabled;
} PadDevice;

static UNICODE_STRING g_serviceKey;
static UNICODE_STRING g_recordPath;
static UNICODE_STRING g_recordTempPath;
static KMUTEX g_takeLock;
static ULONG g_opens;

/* ---- text building: the record is plain ASCII, so a few appenders beat a printf. ---- */

typedef struct Text {
    char data[kRecordBytes];
    ULONG length;
} Text;

static void PutText(Text* text, const char* s) {
    while (*s != '\0' && text->length < sizeof(text->data)) {
        text->data[text->length++] = *s++;
    }
}

static void PutWide(Text* text, const WCHAR* s, ULONG count) {
    ULONG i;
    for (i = 0; i < count && text->length < sizeof(text->data); ++i) {
        /* The record stays ASCII; anything else is visibly replaced. */
        text->data[text->length++] = (s[i] >= 0x20 && s[i] < 0x7F) ? (char)s[i] : '?';
    }
}

static void PutHex(Text* text, ULONG value, int digits) {
    static const char kDigits[] = "0123456789abcdef";
    char buffer[9];
    int i;
    for (i = digits - 1; i >= 0; --i) {
        buffer[i] = kDigits[value & 0xF];
        value >>= 4;
    }
    buffer[digits] = '\0';
    PutText(text, buffer);
}

static void PutDecimal(Text* text, ULONG value, int minDigits) {
    char buffer[11];
    int i = 10;
    buffer[i] = '\0';
    do {
        buffer[--i] = (char)('0' + value % 10);
        value /= 10;
        --minDigits;
    } while (value != 0 || minDigits > 0);
    PutText(text, buffer + i);
}

static void PutLine(Text* text, const char* key, const char* value) {
    PutText(text, key);
    PutText(text, "=");
    PutText(text, value);
    PutText(text, "\r\n");
}

/* Resolution words hold width << 16 | height; the record shows both forms so that a
 * reader can check the raw word and a person can read the screen size. */
static void PutResolutionLine(Text* text, const char* key, BOOLEAN known, ULONG word) {
    PutText(text, key);
    PutText(text, "=");
    if (!known) {
        PutText(text, "none");
    } else {
        PutText(text, "0x");
        PutHex(text, word, 8);
        PutText(text, " (");
        PutDecimal(text, word >> 16, 1);
        PutText(text, "x");
        PutDecimal(text, word & 0xFFFF, 1);
        PutText(text, ")");
    }
    PutText(text, "\r\n");
}

static void PutTimeLine(Text* text) {
    LARGE_INTEGER now;
    TIME_FIELDS fields;
    KeQuerySystemTime(&now);
    RtlTimeToTimeFields(&now, &fields);
    PutText(text, "time=");
    PutDecimal(text, (ULONG)fields.Year, 4);
    PutText(text, "-");
    PutDecimal(text, (ULONG)fields.Month, 2);
    PutText(text, "-");
    PutDecimal(text, (ULONG)fields.Day, 2);
    PutText(text, "T");
    PutDecimal(text, (ULONG)fields.Hour, 2);
    PutText(text, ":");
    PutDecimal(text, (ULONG)fields.Minute, 2);
    PutText(text, ":");
    PutDecimal(text, (ULONG)fields.Second, 2);
    PutText(text, "Z\r\n");
}

/* ---- the published profile ---- */

/* CRC-32 as in zlib (reflected polynomial 0xEDB88320, initial and final xor all ones), so
 * that any test can compute the same digest of the image it wrote. */
static ULONG Crc32(const UCHAR* data, ULONG size) {
    ULONG crc = 0xFFFFFFFF;
    ULONG i;
    int bit;
    for (i = 0; i < size; ++i) {
        crc ^= data[i];
        for (bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
        }
    }
    return crc ^ 0xFFFFFFFF;
}

static ULONG ReadLe32(const UCHAR* p) {
    return (ULONG)p[0] | ((ULONG)p[1] << 8) | ((ULONG)p[2] << 16) | ((ULONG)p[3] << 24);
}

typedef enum FileState { kFileNone, kFileMissing, kFileUnreadable, kFileRead } FileState;

typedef struct Take {
    WCHAR packagePath[kValueBytes / sizeof(WCHAR)];
    ULONG packagePathLength; /* in characters; 0 when the value is absent or not a string */
    BOOLEAN resolutionKnown;
    ULONG resolution;
    FileState file;
    ULONG size;
    BOOLEAN signatureValid;
    BOOLEAN versionValid;
    BOOLEAN imageComplete;
    ULONG imageCrc;
    BOOLEAN summaryComplete;
    ULONG summaryResolution;
} Take;

static NTSTATUS QueryValue(HANDLE key, const WCHAR* name, KEY_VALUE_PARTIAL_INFORMATION* info,
                           ULONG capacity) {
    UNICODE_STRING valueName;
    ULONG returned = 0;
    RtlInitUnicodeString(&valueName, name);
    return ZwQueryValueKey(key, &valueName, KeyValuePartialInformation, info, capacity, &returned);
}

/* Reads the two values the program sets under the service key. "Package" is written
 * without its terminating zero, so its length comes from the data size alone. */
static void ReadServiceValues(Take* take) {
    union {
        KEY_VALUE_PARTIAL_INFORMATION info;
        UCHAR bytes[sizeof(KEY_VALUE_PARTIAL_INFORMATION) + kValueBytes];
    } value;
    OBJECT_ATTRIBUTES attributes;
    HANDLE key;
    ULONG count;

    InitializeObjectAttributes(&attributes, &g_serviceKey, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE,
                               NULL, NULL);
    if (!NT_SUCCESS(ZwOpenKey(&key, KEY_READ, &attributes))) {
        return;
    }
    if (NT_SUCCESS(QueryValue(key, L"Package", &value.info, sizeof(value))) &&
        value.info.Type == REG_SZ && value.info.DataLength <= kValueBytes) {
        count = value.info.DataLength / sizeof(WCHAR);
        RtlCopyMemory(take->packagePath, value.info.Data, count * sizeof(WCHAR));
        while (count > 0 && take->packagePath[count - 1] == L'\0') {
            --count;
        }
        take->packagePathLength = count;
    }
    if (NT_SUCCESS(QueryValue(key, L"Resolution", &value.info, sizeof(value))) &&
        value.info.Type == REG_DWORD && value.info.DataLength == sizeof(ULONG)) {
        take->resolutionKnown = TRUE;
        take->resolution = ReadLe32(value.info.Data);
    }
    ZwClose(key);
}

static void CheckPackage(Take* take, const UCHAR* bytes, ULONG read) {
    take->signatureValid = read >= kSignatureBytes &&
                           RtlCompareMemory(bytes, kSignature, kSignatureBytes) == kSignatureBytes;
    take->versionValid = read >= kImageOffset && ReadLe32(bytes + kSignatureBytes) == kVersion;
    if (read >= kSummaryOffset) {
        take->imageComplete = TRUE;
        take->imageCrc = Crc32(bytes + kImageOffset, kImageBytes);
    }
    if (read >= kSummaryOffset + sizeof(ULONG)) {
        take->summaryComplete = TRUE;
        take->summaryResolution = ReadLe32(bytes + kSummaryOffset);
    }
}

static void ReadPackage(Take* take) {
    UNICODE_STRING path;
    OBJECT_ATTRIBUTES attributes;
    IO_STATUS_BLOCK io;
    FILE_STANDARD_INFORMATION standard;
    HANDLE file;
    UCHAR* bytes;
    NTSTATUS status;

    if (take->packagePathLength == 0) {
        take->file = kFileNone;
        return;
    }
    path.Buffer = take->packagePath;
    path.Length = (USHORT)(take->packagePathLength * sizeof(WCHAR));
    path.MaximumLength = path.Length;
    InitializeObjectAttributes(&attributes, &path, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL,
                               NULL);
    status = ZwCreateFile(&file, GENERIC_READ | SYNCHRONIZE, &attributes, &io, NULL,
                          FILE_ATTRIBUTE_NORMAL, FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_OPEN,
                          FILE_SYNCHRONOUS_IO_NONALERT | FILE_NON_DIRECTORY_FILE, NULL, 0);
    if (!NT_SUCCESS(status)) {
        take->file = kFileMissing;
        return;
    }
    take->file = kFileUnreadable;
    status =
        ZwQueryInformationFile(file, &io, &standard, sizeof(standard), FileStandardInformation);
    bytes = ExAllocatePoolWithTag(PagedPool, kPackageBytes, PADSIM_POOL_TAG);
    if (NT_SUCCESS(status) && bytes != NULL) {
        /* A package larger than the format is still reported by size, but only its
         * first kPackageBytes are examined. */
        take->size = standard.EndOfFile.HighPart != 0 ? 0xFFFFFFFF : standard.EndOfFile.LowPart;
        status = ZwReadFile(file, NULL, NULL, NULL, &io, bytes, kPackageBytes, NULL, NULL);
        if (NT_SUCCESS(status) || status == STATUS_END_OF_FILE) {
            take->file = kFileRead;
            CheckPackage(take, bytes, NT_SUCCESS(status) ? (ULONG)io.Information : 0);
        }
    }
    if (bytes != NULL) {
        ExFreePoolWithTag(bytes, PADSIM_POOL_TAG);
    }
    ZwClose(file);
}

/* The one place that decides whether a package is taken. */
static BOOLEAN IsTaken(const Take* take) {
    return take->file == kFileRead && take->size == kPackageBytes && take->signatureValid &&
           take->versionValid;
}

static void FormatRecord(Text* text, const Take* take, ULONG opens) {
    static const char* const kFileStates[] = {"none", "missing", "unreadable", "read"};

    text->length = 0;
    PutText(text, "opens=");
    PutDecimal(text, opens, 1);
    PutText(text, "\r\n");
    PutTimeLine(text);
    PutText(text, "package_value=");
    if (take->packagePathLength == 0) {
        PutText(text, "none");
    } else {
        PutWide(text, take->packagePath, take->packagePathLength);
    }
    PutText(text, "\r\n");
    PutResolutionLine(text, "resolution", take->resolutionKnown, take->resolution);
    PutLine(text, "file", kFileStates[take->file]);
    PutText(text, "size=");
    PutDecimal(text, take->size, 1);
    PutText(text, "\r\n");
    PutLine(text, "signature", take->signatureValid ? "valid" : "invalid");
    PutLine(text, "version", take->versionValid ? "valid" : "invalid");
    PutText(text, "image_crc32=");
    if (take->imageComplete) {
        PutHex(text, take->imageCrc, 8);
    } else {
        PutText(text, "none");
    }
    PutText(text, "\r\n");
    PutResolutionLine(text, "summary_resolution", take->summaryComplete, take->summaryResolution);
    PutLine(text, "profile", IsTaken(take) ? "taken" : "refused");
}

static NTSTATUS WriteWholeFile(const UNICODE_STRING* path, const Text* text, HANDLE* keepOpen) {
    OBJECT_ATTRIBUTES attributes;
    IO_STATUS_BLOCK io;
    HANDLE file;
    NTSTATUS status;

    InitializeObjectAttributes(&attributes, (UNICODE_STRING*)path,
                               OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL, NULL);
    status = ZwCreateFile(&file, GENERIC_WRITE | DELETE | SYNCHRONIZE, &attributes, &io, NULL,
                          FILE_ATTRIBUTE_NORMAL, FILE_SHARE_READ, FILE_OVERWRITE_IF,
                          FILE_SYNCHRONOUS_IO_NONALERT | FILE_NON_DIRECTORY_FILE, NULL, 0);
    if (!NT_SUCCESS(status)) {
        return status;
    }
    status = ZwWriteFile(file, NULL, NULL, NULL, &io, (PVOID)text->data, text->length, NULL, NULL);
    if (NT_SUCCESS(status) && keepOpen != NULL) {
        *keepOpen = file;
    } else {
        ZwClose(file);
    }
    return status;
}

static NTSTATUS RenameOver(HANDLE file, const UNICODE_STRING* target) {
    const ULONG size = FIELD_OFFSET(FILE_RENAME_INFORMATION, FileName) + target->Length;
    FILE_RENAME_INFORMATION* rename = ExAllocatePoolWithTag(PagedPool, size, PADSIM_POOL_TAG);
    IO_STATUS_BLOCK io;
    NTSTATUS status;

    if (rename == NULL) {
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    RtlZeroMemory(rename, size);
    rename->ReplaceIfExists = TRUE;
    rename->FileNameLength = target->Length;
    RtlCopyMemory(rename->FileName, target->Buffer, target->Length);
    status = ZwSetInformationFile(file, &io, rename, size, FileRenameInformation);
    ExFreePoolWithTag(rename, PADSIM_POOL_TAG);
    return status;
}

/* Under Wine the opener's CreateFile returns before this runs, so readers poll for the
 * record: it is written beside its final name and renamed over it, so that a reader sees
 * the previous record or the new one, never a part. */
static void WriteRecord(const Text* text) {
    HANDLE temporary = NULL;
    NTSTATUS status;

    if (g_recordPath.Buffer == NULL || g_recordTempPath.Buffer == NULL) {
        return;
    }
    status = WriteWholeFile(&g_recordTempPath, text, &temporary);
    if (NT_SUCCESS(status)) {
        status = RenameOver(temporary, &g_recordPath);
        ZwClose(temporary);
    }
    if (!NT_SUCCESS(status)) {
        WriteWholeFile(&g_recordPath, text, NULL);
    }
}

/* "\??\" + folder + tail, in pool. */
static void BuildPath(UNICODE_STRING* path, const WCHAR* folder, ULONG folderBytes,
                      const WCHAR* tail, ULONG tailBytes) {
    static const WCHAR kDosPrefix[] = L"\\??\\";
    const ULONG prefixBytes = sizeof(kDosPrefix) - sizeof(WCHAR);
    const ULONG length = prefixBytes + folderBytes + tailBytes;
    UCHAR* buffer = ExAllocatePoolWithTag(PagedPool, length + sizeof(WCHAR), PADSIM_POOL_TAG);

    if (buffer == NULL) {
        return;
    }
    RtlCopyMemory(buffer, kDosPrefix, prefixBytes);
    RtlCopyMemory(buffer + prefixBytes, folder, folderBytes);
    RtlCopyMemory(buffer + prefixBytes + folderBytes, tail, tailBytes);
    ((WCHAR*)buffer)[length / sizeof(WCHAR)] = L'\0';
    path->Buffer = (WCHAR*)buffer;
    path->Length = (USHORT)length;
    path->MaximumLength = (USHORT)(length + sizeof(WCHAR));
}

static void FreePath(UNICODE_STRING* path) {
    if (path->Buffer != NULL) {
        ExFreePoolWithTag(path->Buffer, PADSIM_POOL_TAG);
        path->Buffer = NULL;
    }
}

/* The record lies in the Windows folder's system32\drivers, beside the package. Wine has
 * no \SystemRoot object link, so the folder comes from the registry, where the system
 * keeps it under the Windows NT version key. */
static void FindRecordPaths(void) {
    static const WCHAR kRecordTail[] = L"\\system32\\drivers\\padsim-record.txt";
    static const WCHAR kTempTail[] = L"\\system32\\drivers\\padsim-record.tmp";
    union {
        KEY_VALUE_PARTIAL_INFORMATION info;
        UCHAR bytes[sizeof(KEY_VALUE_PARTIAL_INFORMATION) + kValueBytes];
    } value;
    UNICODE_STRING keyName;
    OBJECT_ATTRIBUTES attributes;
    HANDLE key;
    ULONG folderBytes;
    const WCHAR* folder;

    RtlInitUnicodeString(&keyName,
                         L"\\Registry\\Machine\\Software\\Microsoft\\Windows NT\\CurrentVersion");
    InitializeObjectAttributes(&attributes, &keyName, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE,
                               NULL, NULL);
    if (!NT_SUCCESS(ZwOpenKey(&key, KEY_READ, &attributes))) {
        return;
    }
    if (NT_SUCCESS(QueryValue(key, L"SystemRoot", &value.info, sizeof(value))) &&
        value.info.Type == REG_SZ && value.info.DataLength <= kValueBytes) {
        folder = (const WCHAR*)value.info.Data;
        folderBytes = value.info.DataLength;
        while (folderBytes >= sizeof(WCHAR) && folder[folderBytes / sizeof(WCHAR) - 1] == L'\0') {
            folderBytes -= sizeof(WCHAR);
        }
        BuildPath(&g_recordPath, folder, folderBytes, kRecordTail,
                  sizeof(kRecordTail) - sizeof(WCHAR));
        BuildPath(&g_recordTempPath, folder, folderBytes, kTempTail,
                  sizeof(kTempTail) - sizeof(WCHAR));
    }
    ZwClose(key);
}

static void TakeProfile(void) {
    Take* take;
    Text* text;

    take = ExAllocatePoolWithTag(PagedPool, sizeof(*take), PADSIM_POOL_TAG);
    text = ExAllocatePoolWithTag(PagedPool, sizeof(*text), PADSIM_POOL_TAG);
    if (take != NULL && text != NULL) {
        RtlZeroMemory(take, sizeof(*take));
        /* Opens may come from several threads; the record must describe one whole take. */
        KeWaitForSingleObject(&g_takeLock, Executive, KernelMode, FALSE, NULL);
        ReadServiceValues(take);
        ReadPackage(take);
        FormatRecord(text, take, ++g_opens);
        WriteRecord(text);
        KeReleaseMutex(&g_takeLock, FALSE);
    }
    if (text != NULL) {
        ExFreePoolWithTag(text, PADSIM_POOL_TAG);
    }
    if (take != NULL) {
        ExFreePoolWithTag(take, PADSIM_POOL_TAG);
    }
}

/* ---- dispatch ---- */

static NTSTATUS Complete(IRP* irp, NTSTATUS status, ULONG_PTR information) {
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = information;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS NTAPI OnCreate(DEVICE_OBJECT* device, IRP* irp) {
    (void)device;
    TakeProfile();
    return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS NTAPI OnCloseOrCleanup(DEVICE_OBJECT* device, IRP* irp) {
    (void)device;
    return Complete(irp, STATUS_SUCCESS, 0);
}

static NTSTATUS PassDown(const PadDevice* pad, IRP* irp) {
    IoSkipCurrentIrpStackLocation(irp);
    return IoCallDriver(pad->lower, irp);
}

static NTSTATUS NTAPI SignalCompletion(DEVICE_OBJECT* device, IRP* irp, void* context) {
    (void)device;
    (void)irp;
    KeSetEvent((KEVENT*)context, IO_NO_INCREMENT, FALSE);
    /* The IRP goes back to ForwardAndWait, which completes it. */
    return STATUS_MORE_PROCESSING_REQUIRED;
}

/* Sends the IRP down and waits for the lower driver to finish it. Wine 8 does not
 * implement IoForwardIrpSynchronously, so this is the classic event pattern. */
static NTSTATUS ForwardAndWait(const PadDevice* pad, IRP* irp) {
    KEVENT done;
    NTSTATUS status;

    KeInitializeEvent(&done, NotificationEvent, FALSE);
    IoCopyCurrentIrpStackLocationToNext(irp);
    IoSetCompletionRoutine(irp, SignalCompletion, &done, TRUE, TRUE, TRUE);
    status = IoCallDriver(pad->lower, irp);
    if (status == STATUS_PENDING) {
        KeWaitForSingleObject(&done, Executive, KernelMode, FALSE, NULL);
        status = irp->IoStatus.Status;
    }
    return status;
}

/* Wine sets or clears the interface's Linked value, creates or deletes its link, and
 * broadcasts WM_DEVICECHANGE (arrival or removal) for each. */
static void SetInterfaces(PadDevice* pad, BOOLEAN enable) {
    int i;
    if (pad->enabled == enable) {
        return;
    }
    for (i = 0; i < kInterfaceCount; ++i) {
        IoSetDeviceInterfaceState(&pad->links[i], enable);
    }
    pad->enabled = enable;
}

static void FreeLinks(PadDevice* pad) {
    int i;
    for (i = 0; i < kInterfaceCount; ++i) {
        if (pad->links[i].Buffer != NULL) {
            RtlFreeUnicodeString(&pad->links[i]);
        }
    }
}

static NTSTATUS NTAPI OnPnp(DEVICE_OBJECT* device, IRP* irp) {
    PadDevice* pad = device->DeviceExtension;
    const IO_STACK_LOCATION* stack = IoGetCurrentIrpStackLocation(irp);
    DEVICE_OBJECT* lower = pad->lower;
    NTSTATUS status;

    switch (stack->MinorFunction) {
        case IRP_MN_START_DEVICE:
            /* The bus starts first; the interfaces appear only on a started device. */
            status = ForwardAndWait(pad, irp);
            if (NT_SUCCESS(status)) {
                SetInterfaces(pad, TRUE);
            }
            return Complete(irp, status, irp->IoStatus.Information);
        case IRP_MN_SURPRISE_REMOVAL:
            SetInterfaces(pad, FALSE);
            irp->IoStatus.Status = STATUS_SUCCESS;
            return PassDown(pad, irp);
        case IRP_MN_REMOVE_DEVICE:
            SetInterfaces(pad, FALSE);
            irp->IoStatus.Status = STATUS_SUCCESS;
            status = PassDown(pad, irp);
            IoDetachDevice(lower);
            FreeLinks(pad);
            IoDeleteDevice(device);
            return status;
        default:
            return PassDown(pad, irp);
    }
}

/* ---- load and unload ---- */

static NTSTATUS NTAPI OnAddDevice(DRIVER_OBJECT* driver, DEVICE_OBJECT* pdo) {
    DEVICE_OBJECT* device;
    PadDevice* pad;
    NTSTATUS status;
    int i;

    status = IoCreateDevice(driver, sizeof(PadDevice), NULL, FILE_DEVICE_UNKNOWN,
                            FILE_DEVICE_SECURE_OPEN, FALSE, &device);
    if (!NT_SUCCESS(status)) {
        return status;
    }
    pad = device->DeviceExtension;
    RtlZeroMemory(pad, sizeof(*pad));
    for (i = 0; i < kInterfaceCount && NT_SUCCESS(status); ++i) {
        status = IoRegisterDeviceInterface(pdo, &kInterfaceClasses[i], NULL, &pad->links[i]);
    }
    if (NT_SUCCESS(status)) {
        pad->lower = IoAttachDeviceToDeviceStack(device, pdo);
        if (pad->lower == NULL) {
            status = STATUS_NO_SUCH_DEVICE;
        }
    }
    if (!NT_SUCCESS(status)) {
        FreeLinks(pad);
        IoDeleteDevice(device);
        return status;
    }
    device->Flags &= ~DO_DEVICE_INITIALIZING;
    return STATUS_SUCCESS;
}

/* Wine unloads the driver only once its devices are removed, so only the paths are left
 * to free. */
static void NTAPI OnUnload(DRIVER_OBJECT* driver) {
    (void)driver;
    FreePath(&g_serviceKey);
    FreePath(&g_recordPath);
    FreePath(&g_recordTempPath);
}

NTSTATUS NTAPI DriverEntry(DRIVER_OBJECT* driver, UNICODE_STRING* registryPath) {
    /* The service key names where the program leaves "Package" and "Resolution"; the
     * string passed in is only valid during this call. */
    g_serviceKey.Buffer =
        ExAllocatePoolWithTag(PagedPool, registryPath->Length + sizeof(WCHAR), PADSIM_POOL_TAG);
    if (g_serviceKey.Buffer == NULL) {
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    RtlCopyMemory(g_serviceKey.Buffer, registryPath->Buffer, registryPath->Length);
    g_serviceKey.Length = registryPath->Length;
    g_serviceKey.MaximumLength = registryPath->Length + sizeof(WCHAR);
    g_serviceKey.Buffer[registryPath->Length / sizeof(WCHAR)] = L'\0';

    FindRecordPaths();
    KeInitializeMutex(&g_takeLock, 0);
    g_opens = 0;

    driver->MajorFunction[IRP_MJ_CREATE] = OnCreate;
    driver->MajorFunction[IRP_MJ_CLEANUP] = OnCloseOrCleanup;
    driver->MajorFunction[IRP_MJ_CLOSE] = OnCloseOrCleanup;
    driver->MajorFunction[IRP_MJ_PNP] = OnPnp;
    driver->DriverExtension->AddDevice = OnAddDevice;
    driver->DriverUnload = OnUnload;
    return STATUS_SUCCESS;
}
