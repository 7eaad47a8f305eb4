// Placeholder translation unit until the object classes land.
namespace kes {
const char* LxObjectVersion() { return "1.0"; }
}
