namespace kes {
const char* ProductName() { return "Kestrova"; }
}
