#include "startup.h"

int main(int argc, char* argv[]) { return azimora::shell::RunAzimora(argc, argv); }
