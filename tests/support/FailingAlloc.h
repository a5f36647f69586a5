// Makes one allocation through new (std::nothrow) fail, so that tests reach
// the out-of-memory paths. Only the nothrow forms are affected.
#pragma once

// The nth nothrow allocation from now (counting from 0) returns null; the
// others succeed. -1 stops the failures.
void FailNthNothrowNew(int n);
