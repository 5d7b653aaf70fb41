// The library's version and the rules' names.

#include "api/library.h"
#include "reader/load_failure.h"

#define BAKE3DS_TEXT(x) #x
#define BAKE3DS_NUMBER_TEXT(x) BAKE3DS_TEXT(x)

const char *bake3ds_version(void)
{
    return BAKE3DS_NUMBER_TEXT(BAKE3DS_VERSION_MAJOR) "." BAKE3DS_NUMBER_TEXT(
        BAKE3DS_VERSION_MINOR) "." BAKE3DS_NUMBER_TEXT(BAKE3DS_VERSION_PATCH);
}

const char *bake3ds_rule_name(bake3ds_rule rule)
{
    return bake3ds::RuleName(rule);
}
