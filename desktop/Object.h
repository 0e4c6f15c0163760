// desktop/Object.h -- TObject: the common root of every class a window description can name
#pragma once

class TObject {
public:
    virtual ~TObject() = default;
};
