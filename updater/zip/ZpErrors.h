// updater/zip/ZpErrors.h -- the native error codes EZpException carries, one constant per code
//
// The numbers are fixed: callers and handlers see them. Codes the engine never raises are kept so the
// table stays complete; their comment says what their message text speaks of.
#pragma once

namespace zp::err {

constexpr int Unknown = 0;                  // no failure of the table ("Unknown error")
constexpr int DirItemWriteIndex = 1;        // a directory item written at an index outside the directory
constexpr int DirItemReadIndex = 2;         // a directory item read at an index outside the directory
constexpr int DirItemAccessIndex = 3;       // a directory item accessed at an index outside the directory
constexpr int DirItemDeleteIndex = 4;       // a directory item deleted at an index outside the directory
constexpr int CompressionModeRange = 5;     // CompressionMode set above 9
constexpr int MissingStream = 6;            // a stream the archiver needs to finish an update is missing
constexpr int ItemIndex = 7;                // reserved: an item index outside the directory
constexpr int ItemCheck = 8;                // an extracted item fails its sizes, CRC-32 or method check
constexpr int BlankNameOnOpen = 9;          // OpenArchive without a mode while FileName has no file name
constexpr int BlankNameOnOpenMode = 10;     // OpenArchive with a mode while FileName has no file name
constexpr int FileNotFound11 = 11;          // reserved: a file not found
constexpr int ArchiveNotFound = 12;         // the archive to open does not exist (fixed drive, no spanning)
constexpr int NotOpen = 13;                 // an operation needs an open archive and none is open
constexpr int NotOpen14 = 14;               // reserved: the archive is not open
constexpr int FileNotFound15 = 15;          // reserved: a file not found
constexpr int DecompressIndex = 16;         // an item to decompress lies outside the directory
constexpr int NoSfxStub = 17;               // reserved: no self-extractor stub is set
constexpr int FileNotFound18 = 18;          // reserved: a file not found
constexpr int CannotCreateFile = 19;        // an output file cannot be created, or an item name is unsafe
constexpr int CannotCreateDir = 20;         // an output folder cannot be created
constexpr int DeleteIndex = 21;             // an item to delete lies outside the directory
constexpr int DeleteNotUpdating = 22;       // an item is deleted while no update is started
constexpr int CannotCreateFile23 = 23;      // reserved: a file cannot be created
constexpr int UpdateIndex = 24;             // an item to update lies outside the directory
constexpr int UpdateNotUpdating = 25;       // an item is refreshed or updated while no update is started
constexpr int UpdateNotEnded = 26;          // an operation that needs a finished update runs inside one
constexpr int CannotDeleteFile = 27;        // a file to be deleted cannot be deleted
constexpr int InMemoryCreateOnly = 28;      // an in-memory archive is opened other than by creating it
constexpr int BlankNameToFile = 29;         // an open in-memory archive goes back to a file without a name
constexpr int FileNotFound30 = 30;          // reserved: a file not found
constexpr int FileNotFound31 = 31;          // reserved: a file not found
constexpr int ReadOnlyArchive = 32;         // an update of an archive opened read-only
constexpr int CannotOpenSource = 33;        // a source file cannot be opened
constexpr int CompressedSizeMismatch = 34;  // the compressed size does not match the data read
constexpr int NotAnArchive = 35;            // no end record and no local header found
constexpr int OutputLocked = 36;            // a rewritten archive or volume cannot take its place
constexpr int ArchiveIsOpen = 37;           // reserved: an operation that needs a closed archive
constexpr int FileNotFound38 = 38;          // reserved: a file not found
constexpr int CannotCreateDir39 = 39;       // reserved: a folder cannot be created
constexpr int NoZip64EndRecord = 40;        // a Zip64 locator points to no Zip64 end record
constexpr int Zip64Disabled = 41;           // an item's sizes need Zip64 while Zip64Mode is zmDisabled
constexpr int FileNotFound42 = 42;          // reserved: a file not found
constexpr int Zip64DisabledSource = 43;     // a source of 4 GiB or more while Zip64Mode is zmDisabled
constexpr int NoSpannedEndRecord = 44;      // no end record in a spanned archive
constexpr int OpenAborted = 45;             // opening aborted (a volume refused or missing) or not an archive
constexpr int WriteFailed = 46;             // a write to the archive stream fails
constexpr int SfxStubTooLarge = 47;         // a self-extractor stub does not fit the first volume
constexpr int ArchiveDamaged = 48;          // the archive is found damaged while reading it
constexpr int SfxOnVolumes = 49;            // reserved: MakeSFX on a split or spanned archive
constexpr int HasSfxStub = 50;              // reserved: the archive already has a stub
constexpr int VolumesOnCustomStream = 51;   // reserved: volumes asked for a custom stream
constexpr int SpannedModification = 52;     // a multi-volume archive given items other than while it is created
constexpr int FileNotFound53 = 53;          // reserved: a file not found
constexpr int FileNotFound54 = 54;          // reserved: a file not found
constexpr int Deflate64 = 55;               // an item to extract uses method 9 (Deflate64)
constexpr int Reserved56 = 56;              // reserved, without a message text
constexpr int Reserved57 = 57;              // reserved, without a message text
constexpr int Reserved58 = 58;              // reserved, without a message text
constexpr int Reserved59 = 59;              // reserved, without a message text
constexpr int Reserved60 = 60;              // reserved, without a message text

} // namespace zp::err
