// modalyx: extracts the modal tables of an NE/Nastran SOL SEMODES report into seven text files.
#include "driver/file_slots.h"

int main() { return modalyx::run(); }
