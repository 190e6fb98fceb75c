#include "app/CPellaquinApp.h"

#include <stdlib.h>

int main(int argc, char** argv) {
    // Without TZ, glibc looks at /etc/localtime again at each local time it works out, and libzip works
    // one out for every file of every zip an audit opens; with it, the zone is read once.
    setenv("TZ", ":/etc/localtime", 0);
    pellaquin::CPellaquinApp application(argc, argv);
    return application.InitInstance();
}
