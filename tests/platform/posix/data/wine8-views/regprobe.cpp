// regprobe query|steps <hkcr-subkey> <value> | link <hklm-subkey> <target-nt-path> | set <root> <subkey> <value> <data>
#include <windows.h>
#include <stdio.h>
#include <string.h>
static HKEY Root(const char* r){ if(!strcmp(r,"HKCR"))return HKEY_CLASSES_ROOT; if(!strcmp(r,"HKCU"))return HKEY_CURRENT_USER; return HKEY_LOCAL_MACHINE; }
int main(int argc, char** argv) {
    if (argc >= 4 && !strcmp(argv[1], "query")) {
        HKEY key; LONG e = RegOpenKeyExA(HKEY_CLASSES_ROOT, argv[2], 0, KEY_READ, &key);
        if (e) { printf("open %ld\n", e); return 1; }
        char data[1024]; DWORD size = sizeof data, type = 0;
        e = RegQueryValueExA(key, argv[3], NULL, &type, (BYTE*)data, &size);
        if (e) { printf("query %ld\n", e); return 1; }
        printf("value %s\n", data); RegCloseKey(key); return 0;
    }
    if (argc >= 4 && !strcmp(argv[1], "steps")) {  // one key a call, as the installer opens
        HKEY key = HKEY_CLASSES_ROOT;
        char path[512]; strncpy(path, argv[2], sizeof path - 1); path[sizeof path - 1] = 0;
        for (char* name = strtok(path, "\\"); name; name = strtok(NULL, "\\")) {
            HKEY next; LONG e = RegOpenKeyExA(key, name, 0, KEY_READ, &next);
            if (e) { printf("open %ld\n", e); return 1; }
            if (key != HKEY_CLASSES_ROOT) RegCloseKey(key);
            key = next;
        }
        char data[1024]; DWORD size = sizeof data, type = 0;
        LONG e = RegQueryValueExA(key, argv[3], NULL, &type, (BYTE*)data, &size);
        if (e) { printf("query %ld\n", e); return 1; }
        printf("value %s\n", data); RegCloseKey(key); return 0;
    }
    if (argc >= 4 && !strcmp(argv[1], "link")) {
        HKEY key; DWORD disp;
        LONG e = RegCreateKeyExA(HKEY_LOCAL_MACHINE, argv[2], 0, NULL, REG_OPTION_CREATE_LINK, KEY_ALL_ACCESS, NULL, &key, &disp);
        if (e) { printf("create %ld\n", e); return 1; }
        WCHAR target[512]; int n = MultiByteToWideChar(CP_ACP, 0, argv[3], -1, target, 512);
        e = RegSetValueExW(key, L"SymbolicLinkValue", 0, REG_LINK, (BYTE*)target, (n - 1) * sizeof(WCHAR));
        printf("link %ld\n", e); RegCloseKey(key); return e ? 1 : 0;
    }
    if (argc >= 6 && !strcmp(argv[1], "set")) {
        HKEY key; DWORD disp;
        LONG e = RegCreateKeyExA(Root(argv[2]), argv[3], 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, &disp);
        if (e) { printf("create %ld\n", e); return 1; }
        e = RegSetValueExA(key, argv[4], 0, REG_SZ, (BYTE*)argv[5], strlen(argv[5]) + 1);
        printf("set %ld\n", e); RegCloseKey(key); return e ? 1 : 0;
    }
    printf("usage\n"); return 2;
}
