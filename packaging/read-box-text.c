/* Prints the caption and the text of the visible message box whose caption
 * is the first argument, as a user reads them: the release test runs it in
 * the same Wine prefix as the program that shows the box.
 *   read-box-text.exe CAPTION
 * Exit 0 with "caption|text" on standard output, 1 when no such box shows. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

struct search
{
    const char *caption;
    HWND found;
};

static BOOL CALLBACK consider(HWND window, LPARAM data)
{
    struct search *search = (struct search *)data;
    char caption[256] = "";
    char kind[64] = "";
    if (!IsWindowVisible(window))
        return TRUE;
    GetClassNameA(window, kind, sizeof kind);
    GetWindowTextA(window, caption, sizeof caption);
    /* A message box is a dialog of the system's dialog class. */
    if (strcmp(kind, "#32770") == 0 && strcmp(caption, search->caption) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

int main(int argc, char **argv)
{
    struct search search = {NULL, NULL};
    char text[1024] = "";
    if (argc != 2) {
        fprintf(stderr, "usage: read-box-text.exe CAPTION\n");
        return 2;
    }
    search.caption = argv[1];
    EnumWindows(consider, (LPARAM)&search);
    if (search.found == NULL)
        return 1;
    /* The message text is the box's static control with the id 0xFFFF. */
    GetDlgItemTextA(search.found, 0xFFFF, text, sizeof text);
    printf("%s|%s\n", search.caption, text);
    return 0;
}
