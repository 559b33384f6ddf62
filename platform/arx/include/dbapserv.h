// The host application's services to the database: the working database.
#pragma once
#include "dbmain.h"

class ARXHOST_EXPORT AcDbHostApplicationServices {
public:
    virtual ~AcDbHostApplicationServices();
    // The database that operations without a database argument work on.
    AcDbDatabase* workingDatabase() const;
    void setWorkingDatabase(AcDbDatabase* db);
    // Looks a file up in the working folder and the host's support folders.
    virtual Acad::ErrorStatus findFile(ACHAR* fileFound, int nBufferLength, const ACHAR* fileName,
                                       AcDbDatabase* db = nullptr);
};
ARXHOST_EXPORT AcDbHostApplicationServices* acdbHostApplicationServices();
