/*
 * QUENDRAL: repairs Notes documents in place.
 *
 * The exported functions of the library. Every text is a zero-terminated
 * 8-bit string owned by the caller and only read. The repairs return 0 when
 * the call ran to its end and 1 when a Notes error ended it early; each call
 * starts and ends its own Notes session on the caller's thread.
 *
 * On 32-bit Windows the five functions use the __stdcall calling convention
 * (QUENDRAL_CALL): the function removes its arguments from the stack. A
 * caller that declares them otherwise (as __cdecl, the compilers' default)
 * corrupts its own stack on every call. Elsewhere there is one convention.
 */
#ifndef QUENDRAL_QUENDRAL_H_
#define QUENDRAL_QUENDRAL_H_

#if defined(_WIN32)
#define QUENDRAL_CALL __stdcall
#if defined(QUENDRAL_BUILDING_LIBRARY)
#define QUENDRAL_API __declspec(dllexport)
#else
#define QUENDRAL_API __declspec(dllimport)
#endif
#else
#define QUENDRAL_CALL
#define QUENDRAL_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Makes every paragraph of a document's rich text visible again: each
 * non-empty hide-when formula is overwritten in place by the formula "0".
 * server: "" (or "local"/"LOCAL") for this machine, otherwise a server name.
 * database: a path relative to the server's data directory, or a replica ID
 * as 16 hexadecimal digits (a colon after the eighth is allowed).
 * document_id: the document's universal ID as 32 hexadecimal digits.
 * The document is saved when it held at least one hide-when record.
 */
QUENDRAL_API int QUENDRAL_CALL FixRichTextFields(const char* server, const char* database,
                                                 const char* document_id);

/*
 * Points every entry of a document's link table ($Links) whose database
 * replica ID is one of old_replica_ids ("%08X:%08X" texts separated by ";")
 * at the replica ID of target_database. Before the first change the old
 * table is copied into an item "$Links_Backup_YYYYMMDDhhmmss" (local time).
 * server is used for both databases.
 */
QUENDRAL_API int QUENDRAL_CALL ChangeServerInLinks(const char* server, const char* database,
                                                   const char* document_id,
                                                   const char* old_replica_ids,
                                                   const char* target_database);

/* The module's file version, read once when the module was loaded; 0 when
 * it could not be read. */
QUENDRAL_API int QUENDRAL_CALL GetMajorVersion(void);
QUENDRAL_API int QUENDRAL_CALL GetMinorVersion(void);
QUENDRAL_API int QUENDRAL_CALL GetBuildNumber(void);

#ifdef __cplusplus
}
#endif

#endif /* QUENDRAL_QUENDRAL_H_ */
