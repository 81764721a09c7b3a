// A shared library that is not a component: it exports no DllGetClassObject.
extern "C" __attribute__((visibility("default"))) int NotAComponent()
{
    return 1;
}
