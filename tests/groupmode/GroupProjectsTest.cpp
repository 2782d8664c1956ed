#include "groupmode/GroupProjects.h"
#include "TestSupport.h"
#include <gtest/gtest.h>
TEST(GroupProjects, Placeholder) {}
