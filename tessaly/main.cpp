#include "tessaly/EditorMain.h"

int main(int argc, char** argv) { return tess::RunEditor(argc, argv); }
