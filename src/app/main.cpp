#include "app/CPellaquinApp.h"

int main(int argc, char** argv) {
    pellaquin::CPellaquinApp application(argc, argv);
    return application.InitInstance();
}
