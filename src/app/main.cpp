// Program entry: dispatches to the batch command; the window comes with the desktop front end.
#include <cstdio>

int main() {
    std::fputs("plexon: nothing to do yet\n", stderr);
    return 2;
}
